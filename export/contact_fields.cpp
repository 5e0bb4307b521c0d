#include "export/contact_formats.h"

namespace tessel::exporting {

std::string_view TrimmedField(std::string_view cell) {
  while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
  return cell;
}

bool IsBlankContact(const CellRow& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (!TrimmedField(cells[i]).empty()) return false;
  }
  return true;
}

}  // namespace tessel::exporting
