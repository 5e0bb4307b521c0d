// The file system on Windows, through the wide-character calls: paths are
// UTF-8 in our code, so any name works whatever the system code page.
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "win32_base/wide_path.h"
#include "export/file_system.h"

namespace tessel::exporting {
namespace {

// The C runtime's code for a Win32 error, so that causes read as elsewhere.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EACCES;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_DIR_NOT_EMPTY:
      return ENOTEMPTY;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

// The path as Windows' calls take it: a folder written with a trailing
// separator ("C:\mail\") is refused by some, a drive's root is not.
std::wstring Probe(const std::string& path) {
  std::string probe = path;
  while (probe.size() > 1 && IsPathSeparator(probe.back()) && probe[probe.size() - 2] != ':') probe.pop_back();
  return WidePath(probe);
}

PathKind KindOfAttributes(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

}  // namespace

PathKind KindOf(const std::string& path, std::string* error) {
  const DWORD attributes = ::GetFileAttributesW(Probe(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const int code = ErrnoOf(::GetLastError());
    errno = code;
    if (error != nullptr) *error = std::strerror(code);
    return PathKind::kMissing;
  }
  return KindOfAttributes(attributes);
}

bool CreateFolder(const std::string& path) {
  if (::CreateDirectoryW(Probe(path).c_str(), nullptr)) return true;
  errno = ErrnoOf(::GetLastError());
  return false;
}

bool RemoveEmptyFolder(const std::string& path) { return ::RemoveDirectoryW(Probe(path).c_str()) != 0; }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(WidePath(path).c_str()) != 0; }

bool IsDrive(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(WidePath(JoinPath(path, "*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD cause = ::GetLastError();
    if (cause == ERROR_FILE_NOT_FOUND && KindOf(path) == PathKind::kFolder) return true;  // empty
    error = std::strerror(ErrnoOf(cause));
    return false;
  }
  do {
    FolderEntry entry{Utf8OfWide(found.cFileName), KindOfAttributes(found.dwFileAttributes), false, {}};
    if (entry.name == "." || entry.name == "..") continue;
    entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    // A link's own attributes are not its target's.
    if (entry.link) entry.kind = KindOf(JoinPath(path, entry.name), &entry.cause);
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return true;
}

bool IdentifyFolder(const std::string& path, FolderId& id) {
  // Backup semantics: the one way to open a folder as a handle.
  const HANDLE folder =
      ::CreateFileW(Probe(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(folder, &info) != 0;
  ::CloseHandle(folder);
  if (!known) return false;
  id = {info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | static_cast<std::uint64_t>(info.nFileIndexLow)};
  return true;
}

std::string FullPath(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  const DWORD written = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return path;
  full.resize(written);
  return Utf8OfWide(full);
}

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

bool NamesIgnoreCase() { return true; }

}  // namespace tessel::exporting
