// What the exports and the folder search need of the file system beyond
// reading inputs: the kind of a path, folders made, listed and told apart.
// Paths are UTF-8 (on Windows the file goes through the wide calls), joined
// by JoinPath; one file per platform implements the platform's steps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/path_join.h"

namespace tessel::exporting {

enum class PathKind { kMissing, kFile, kFolder, kOther };

// What is at `path`, through links; kMissing also when it cannot be looked at
// (`error`, if given, then says why).
PathKind KindOf(const std::string& path, std::string* error = nullptr);

// Creates the folder and any missing parents; true when it is a folder afterwards.
bool MakeFolders(const std::string& path, std::string& error);

struct FolderEntry {
  std::string name;
  PathKind kind;      // of what the entry leads to; kMissing when that cannot be looked at
  bool link = false;  // a symbolic link (or another reparse point on Windows)
  std::string cause;  // why kMissing
};
// The entries of a folder, without "." and ".."; false with `error` set when
// it cannot be read.
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error);

// Tells folders apart however they are reached (device and inode, or volume
// and file index), so that a walk visits each once.
struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  friend bool operator<(const FolderId& a, const FolderId& b) {
    return a.device != b.device ? a.device < b.device : a.file < b.file;
  }
};
bool IdentifyFolder(const std::string& path, FolderId& id);

// `path` made absolute, its links resolved as far as it exists, so that two
// ways to one folder compare equal; `path` as given when that fails.
std::string FullPath(const std::string& path);

// True when `inner` is `outer` or lies somewhere inside it (both full paths).
bool IsSameOrInside(const std::string& inner, const std::string& outer);

// The platform's single steps: one folder created (false with errno set),
// an empty folder or a file removed, and whether a path is a drive ("C:"),
// which is never created.
bool CreateFolder(const std::string& path);
bool RemoveEmptyFolder(const std::string& path);
bool RemoveFile(const std::string& path);
bool IsDrive(const std::string& path);

// True for the characters that separate folders in a path ("/", and on
// Windows "\" too).
bool IsPathSeparator(char c);
// True where the file system takes "Inbox" and "INBOX" for one name (Windows).
bool NamesIgnoreCase();

// The last part of a path ("Inbox.imh" of "mail/Inbox.imh").
std::string FileName(const std::string& path);
// Everything before the last part, without its separator; empty for a bare name.
std::string ParentFolder(const std::string& path);
// A file name without the text from its last "." ("Sent Items" of "Sent Items.imm").
std::string NameWithoutExtension(const std::string& name);

}  // namespace tessel::exporting
