// The file system on Linux and macOS.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/file_system.h"

namespace tessel::cli {
namespace {

PathKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return PathKind::kFile;
  if (S_ISDIR(mode)) return PathKind::kFolder;
  return PathKind::kOther;
}

}  // namespace

PathKind KindOf(const std::string& path, std::string* error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (error != nullptr) *error = std::strerror(errno);
    return PathKind::kMissing;
  }
  return KindOfMode(info.st_mode);
}

bool CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool IsDrive(const std::string&) { return false; }

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) {
    error = "cannot read the folder '" + path + "': " + std::strerror(errno);
    return false;
  }
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries.push_back({name, KindOf(JoinPath(path, name))});
  }
  ::closedir(folder);
  return true;
}

bool IsPathSeparator(char c) { return c == '/'; }

}  // namespace tessel::cli
