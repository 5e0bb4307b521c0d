// What tessel needs of the file system beyond reading inputs: the kind of a
// path, and folders made and listed (paths are joined by JoinPath). Names are the platform's own
// narrow strings (UTF-8 on Linux, the system code page on Windows), so they go
// to the C runtime unchanged; one file per platform implements this.
#pragma once

#include <string>
#include <vector>

#include "engine/path_join.h"

namespace tessel::cli {

enum class PathKind { kMissing, kFile, kFolder, kOther };

// What is at `path`; kMissing also when it cannot be looked at (`error`, if
// given, then says why).
PathKind KindOf(const std::string& path, std::string* error = nullptr);

// Creates the folder and any missing parents; true when it is a folder afterwards.
bool MakeFolders(const std::string& path, std::string& error);

struct FolderEntry {
  std::string name;
  PathKind kind;
};
// The entries of a folder, without "." and ".."; false with `error` set when
// it cannot be read.
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, std::string& error);

// The platform's single steps: one folder created (false with errno set),
// and whether a path is a drive ("C:"), which is never created.
bool CreateFolder(const std::string& path);
bool IsDrive(const std::string& path);

// True for the characters that separate folders in a path ("/", and on
// Windows "\" too).
bool IsPathSeparator(char c);

// The last part of a path ("Inbox.imh" of "mail/Inbox.imh").
std::string FileName(const std::string& path);
// Everything before the last part, without its separator; empty for a bare name.
std::string ParentFolder(const std::string& path);
// A file name without the text from its last "." ("Sent Items" of "Sent Items.imm").
std::string NameWithoutExtension(const std::string& name);

}  // namespace tessel::cli
