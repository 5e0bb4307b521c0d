// The IncrediMail files of a folder (an identity's message store folder) and
// its subfolders: each index with its store, each store without an index,
// each address book. Shared by tessel's folder inputs and the identity
// export, so that both front ends find the same files. Damaged folders are
// the normal case: a folder is visited once however many links lead to it,
// and whatever cannot be read is named with its cause, never silently passed.
#pragma once

#include <string>
#include <vector>

#include "engine/chosen_file.h"

namespace tessel::moving {

struct FoundFile {
  ChosenFile file;           // an index with its store, a store, or an address book
  std::string relativePath;  // from the searched folder, "/" between parts: "Mail/Inbox.imh"
  // An index whose store is not beside it: nothing can be read through it,
  // and the user must be told rather than have it passed over.
  bool storeMissing = false;
};

// A path the search met and did not take in, and why.
struct PassedOver {
  std::string path;
  std::string cause;
};

struct FolderSearch {
  std::vector<FoundFile> files;  // folder by folder in name order, a folder's files before its subfolders'
  // Entries that could not be read: left out, and the user must be told.
  std::vector<PassedOver> unreadable;
  // Links to folders searched already (through another way): not followed,
  // so that a link to "." or a loop of links costs nothing.
  std::vector<PassedOver> linksNotFollowed;
};

// Searches `folder`. When `folder` itself cannot be read, `unreadable` names it.
FolderSearch SearchFolder(const std::string& folder);

// The name an export gives the files written from `relativePath`: its parts
// without the file's extension, joined by " - " ("Mail - Inbox" of
// "Mail/Inbox.imh"), so that stores of one name in different subfolders stay
// apart. Not yet safe as a file name: see output_names.h.
std::string OutputStem(const std::string& relativePath);

}  // namespace tessel::moving
