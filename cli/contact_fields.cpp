#include "cli/contact_formats.h"

namespace tessel::cli {

std::string_view TrimmedField(std::string_view cell) {
  while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
  return cell;
}

bool IsBlankContact(const Row& cells) {
  for (const std::string& cell : cells) {
    if (!TrimmedField(cell).empty()) return false;
  }
  return true;
}

}  // namespace tessel::cli
