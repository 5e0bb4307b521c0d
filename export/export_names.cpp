#include "export/export_names.h"

#include <cstdio>

namespace tessel::exporting {

bool IsValidPrefix(std::string_view prefix) {
  for (const char c : prefix) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || kForbiddenInPrefix.find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

std::string MessageFileName(std::string_view prefix, long long row) {
  char number[24];
  std::snprintf(number, sizeof number, "%04lld", row);
  return std::string(prefix) + number + ".eml";
}

std::string NumberedFileName(std::string_view name, int attempt) {
  if (attempt <= 1) return std::string(name);
  const std::size_t dot = name.rfind('.');
  const std::size_t folderEnd = name.find_last_of("/\\");
  const bool inName = dot != std::string_view::npos && (folderEnd == std::string_view::npos || dot > folderEnd);
  const std::size_t stemEnd = inName ? dot : name.size();
  return std::string(name.substr(0, stemEnd)) + " (" + std::to_string(attempt) + ")" +
         std::string(name.substr(stemEnd));
}

}  // namespace tessel::exporting
