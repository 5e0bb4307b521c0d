#include "engine/chosen_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace tessel {
namespace {

// True when `path` ends in `ending` (lower case), compared without regard to case.
bool EndsInAnyCase(std::string_view path, std::string_view ending) {
  if (path.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), path.end() - static_cast<std::ptrdiff_t>(ending.size()),
                    [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
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
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path path(built);
  if (fs::exists(path, error) || error) return built;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string wanted = Lower(path.filename().string());
  std::string found;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (Lower(name) == wanted && it->is_regular_file(error) && (found.empty() || name < found)) found = name;
  }
  if (found.empty()) return built;
  return path.has_parent_path() ? (path.parent_path() / found).string() : found;
}

}  // namespace

ChosenFile ResolveChosenFile(const std::string& path, ChosenAs as) {
  if (as == ChosenAs::kAddressBook || (as == ChosenAs::kByName && EndsInAnyCase(path, ".imb")))
    return ChosenFile{FileKind::kAddressBook, path, {}};
  if (as == ChosenAs::kStoreBytes || EndsInAnyCase(path, "imm")) return ChosenFile{FileKind::kStore, path, path};
  return ChosenFile{FileKind::kIndex, path, StoreByLetterCase(StorePathForIndex(path))};
}

}  // namespace tessel
