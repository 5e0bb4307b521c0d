#include "export/file_system.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace tessel::exporting {

bool MakeFolders(const std::string& path, std::string& error) {
  if (KindOf(path) == PathKind::kFolder) return true;
  const std::string parent = ParentFolder(path);
  if (!parent.empty() && parent != path && !IsDrive(parent) && !MakeFolders(parent, error)) return false;
  // The cause is taken before anything else can change errno: it is the one to report.
  const int cause = CreateFolder(path) ? 0 : errno;
  if (cause != 0 && cause != EEXIST) {
    error = "cannot create the folder '" + path + "': " + std::strerror(cause);
    return false;
  }
  if (KindOf(path) == PathKind::kFolder) return true;
  error = "cannot create the folder '" + path + "': a file of that name is in the way";
  return false;
}

std::string FileName(const std::string& path) {
  size_t start = path.size();
  while (start > 0 && !IsPathSeparator(path[start - 1])) --start;
  return path.substr(start);
}

std::string ParentFolder(const std::string& path) {
  size_t end = path.size() - FileName(path).size();
  // Keep a root's separator ("/" of "/x"), drop any other.
  while (end > 1 && IsPathSeparator(path[end - 1])) --end;
  return path.substr(0, end);
}

bool IsSameOrInside(const std::string& inner, const std::string& outer) {
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    const char a = inner[i], b = outer[i];
    if (a == b || (IsPathSeparator(a) && IsPathSeparator(b))) continue;
    if (NamesIgnoreCase() && std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)))
      continue;
    return false;
  }
  return inner.size() == outer.size() || IsPathSeparator(outer.back()) || IsPathSeparator(inner[outer.size()]);
}

std::string NameWithoutExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace tessel::exporting
