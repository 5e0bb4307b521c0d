// The file system on Windows, through the C runtime's narrow calls, which take
// names in the system code page as the command line brings them.
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli/file_system.h"

namespace tessel::cli {

PathKind KindOf(const std::string& path, std::string* error) {
  struct _stati64 info {};
  std::string probe = path;
  // The runtime's stat refuses a folder written with a trailing separator ("C:\mail\").
  while (probe.size() > 1 && IsPathSeparator(probe.back()) && probe[probe.size() - 2] != ':') probe.pop_back();
  if (::_stati64(probe.c_str(), &info) != 0) {
    if (error != nullptr) *error = std::strerror(errno);
    return PathKind::kMissing;
  }
  if (info.st_mode & _S_IFREG) return PathKind::kFile;
  if (info.st_mode & _S_IFDIR) return PathKind::kFolder;
  return PathKind::kOther;
}

bool CreateFolder(const std::string& path) { return ::_mkdir(path.c_str()) == 0; }

bool IsDrive(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error) {
  _finddatai64_t found{};
  const intptr_t search = ::_findfirsti64(JoinPath(path, "*").c_str(), &found);
  if (search == -1) {
    if (errno == ENOENT && KindOf(path) == PathKind::kFolder) return true;  // empty
    error = "cannot read the folder '" + path + "': " + std::strerror(errno);
    return false;
  }
  do {
    const std::string name = found.name;
    if (name == "." || name == "..") continue;
    const PathKind kind = (found.attrib & _A_SUBDIR) ? PathKind::kFolder : PathKind::kFile;
    entries.push_back({name, kind});
  } while (::_findnexti64(search, &found) == 0);
  ::_findclose(search);
  return true;
}

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace tessel::cli
