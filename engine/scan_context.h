// What a scan shares with the program that runs it: the list and progress bar
// it fills, the stop request, the paths it reads and sets, and the open source
// file. The Windows program keeps these as its scan globals (app/scan_state.h,
// which maps them onto a ScanContext in one place); the command line and the
// tests own them in a ScanState. The engine itself has no globals.
#pragma once

#include <atomic>
#include <string>

#include "engine/recovered_list.h"
#include "engine/source_file.h"

namespace tessel {

struct ScanContext {
  RecoveredList& list;
  ProgressBar& progress;
  // Set by the window's Stop; cleared once when a message store scan starts and
  // polled by it between reads. The address book walk ignores it.
  std::atomic<int>& stopRequested;
  // The chosen path; a message store scan replaces an index's path by its store's.
  std::string& sourceFile;
  // The store that extraction, the raw scan and record copies read. Kept after
  // the scan for preview and save.
  std::string& storeFile;
  // "AddBook.txt" in the folder given to the address book walk.
  std::string& contactsFile;
  // The shared source-file object: the chosen file, left open by the message
  // store scan (the caller closes it) and closed by the address book walk.
  SourceFile& openSourceFile;
};

// The shared state of a scan for programs without window globals (the command
// line, the tests).
struct ScanState {
  std::atomic<int> stopRequested{0};
  std::string sourceFile;
  std::string storeFile;
  std::string contactsFile;
  SourceFile openSourceFile;

  ScanContext ContextFor(RecoveredList& list, ProgressBar& progress) {
    return ScanContext{list, progress, stopRequested, sourceFile, storeFile, contactsFile, openSourceFile};
  }
};

}  // namespace tessel
