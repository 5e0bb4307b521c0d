// The file system on Linux and macOS.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "export/file_system.h"

namespace tessel::exporting {
namespace {

PathKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return PathKind::kFile;
  if (S_ISDIR(mode)) return PathKind::kFolder;
  return PathKind::kOther;
}

// realpath of the longest part of `path` that exists, the rest appended.
std::string ResolvedAsFarAsItExists(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  const std::string parent = ParentFolder(path);
  if (parent.empty() || parent == path) return path;
  return JoinPath(ResolvedAsFarAsItExists(parent), FileName(path));
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

bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool IsDrive(const std::string&) { return false; }

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) {
    error = std::strerror(errno);
    return false;
  }
  while (const dirent* entry = ::readdir(folder)) {
    FolderEntry found{entry->d_name, PathKind::kMissing, false, {}};
    if (found.name == "." || found.name == "..") continue;
    const std::string full = JoinPath(path, found.name);
    struct stat own {};
    found.link = ::lstat(full.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
    found.kind = KindOf(full, &found.cause);
    entries.push_back(std::move(found));
  }
  ::closedir(folder);
  return true;
}

bool IdentifyFolder(const std::string& path, FolderId& id) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  id = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return true;
}

std::string FullPath(const std::string& path) {
  if (path.empty()) return path;
  if (path.front() == '/') return ResolvedAsFarAsItExists(path);
  char here[PATH_MAX];
  if (::getcwd(here, sizeof here) == nullptr) return path;
  return ResolvedAsFarAsItExists(JoinPath(here, path));
}

bool IsPathSeparator(char c) { return c == '/'; }

bool NamesIgnoreCase() { return false; }

}  // namespace tessel::exporting
