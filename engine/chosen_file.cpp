#include "engine/chosen_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "engine/platform_file.h"

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

// "INBOX.IMH" has its store at "INBOX.IMM", where the rule says "INBOX.imm":
// on a file system that tells case apart, the file of the same folder whose
// name differs only in case is the store. The first in name order wins.
std::string StoreByLetterCase(const std::string& built) {
  if (platform::IsRegularFile(built)) return built;
  const std::size_t separator = built.find_last_of("/\\");
  const std::string folder = separator == std::string::npos ? std::string() : built.substr(0, separator);
  const std::string name = separator == std::string::npos ? built : built.substr(separator + 1);
  const std::string found = platform::FindFileIgnoringCase(folder, name);
  if (found.empty()) return built;
  return separator == std::string::npos ? found : built.substr(0, separator + 1) + found;
}

}  // namespace

ChosenFile ResolveChosenFile(const std::string& path, ChosenAs as) {
  if (as == ChosenAs::kAddressBook || (as == ChosenAs::kByName && EndsInAnyCase(path, ".imb")))
    return ChosenFile{FileKind::kAddressBook, path, {}};
  if (as == ChosenAs::kStoreBytes || EndsInAnyCase(path, "imm")) return ChosenFile{FileKind::kStore, path, path};
  return ChosenFile{FileKind::kIndex, path, StoreByLetterCase(StorePathForIndex(path))};
}

}  // namespace tessel
