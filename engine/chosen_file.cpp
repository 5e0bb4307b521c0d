#include "engine/chosen_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tessel {
namespace {

// True when `path` ends in `ending` (lower case), compared without regard to case.
bool EndsInAnyCase(std::string_view path, std::string_view ending) {
  if (path.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), path.end() - static_cast<std::ptrdiff_t>(ending.size()),
                    [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

std::string StorePathForIndex(const std::string& indexPath) {
  const std::size_t dot = indexPath.rfind('.');
  const std::size_t separator = indexPath.find_last_of("/\\");
  // A "." in a folder's name is no extension of the file.
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return indexPath + ".imm";
  return indexPath.substr(0, dot + 1) + "imm";
}

}  // namespace

ChosenFile ResolveChosenFile(const std::string& path, ChosenAs as) {
  if (as == ChosenAs::kAddressBook || (as == ChosenAs::kByName && EndsInAnyCase(path, ".imb")))
    return ChosenFile{FileKind::kAddressBook, path, {}};
  if (EndsInAnyCase(path, "imm")) return ChosenFile{FileKind::kStore, path, path};
  return ChosenFile{FileKind::kIndex, path, StorePathForIndex(path)};
}

}  // namespace tessel
