// What Save writes, worked off the window's thread: the checked rows, taken
// from the list before the job starts, written into one folder. Messages
// become one .eml file each, named and copied as `tessel export` does;
// contacts become AddBook.txt and AddBook.vcf as `tessel contacts` writes
// them. No file is ever overwritten: a name that exists gets " (2)", " (3)",
// ... before its extension. The first file that cannot be written stops the
// job, and what it had written of that file is removed. A record cut short
// where the store ends is kept with the bytes the store has, one with
// unreadable bytes with NUL bytes in their place, each counted apart. One of
// which the store gave out before the size it had when opened is not counted
// as written; its file is kept only when it holds any byte.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "engine/contact_row.h"
#include "engine/message_row.h"
#include "export/code_pages.h"

namespace tessel::recovery {

struct SaveJob {
  bool contacts = false;  // the rows are an address book's
  std::string folder;     // where the files go
  std::string prefix;     // of the message files
  std::string storeFile;  // the store the message records lie in
  std::vector<int> rows;  // the checked rows' numbers in the list (from 0)
  // The checked rows themselves, in the same order: messages or contacts.
  std::vector<MessageRow> messages;
  std::vector<ContactRow> contactRows;
  // Set by Cancel: the job stops after the file it is writing.
  std::atomic<int> cancelRequested{0};
};

struct SaveOutcome {
  int written = 0;                 // files with all the store has of their records
  int cutShort = 0;                // of them, records the store ends inside
  int unreadable = 0;              // of them, records with bytes that could not be read
  int endedEarly = 0;              // records the store gave out inside, before its size at opening
  int blankLeftOut = 0;            // wiped contact records checked, left out as `tessel contacts` does
  std::vector<std::string> files;  // their paths, in order
  bool cancelled = false;
  std::string failedFile;  // the file that could not be written, empty when none
  std::string reason;      // why

  // Anything checked that is not on disk as stored.
  bool LostAnything() const { return !failedFile.empty() || cutShort > 0 || unreadable > 0 || endedEarly > 0; }
};

// Called before each checked row is written, with its place among them (from 0).
using SaveProgress = std::function<void(size_t index, const CellRow& cells)>;

// `contactsPage`: the code page an address book's bytes are text of (the
// installation's, on Windows), for the vCards, which are UTF-8.
SaveOutcome RunSaveJob(SaveJob& job, const exporting::CodePage& contactsPage, const SaveProgress& progress);

}  // namespace tessel::recovery
