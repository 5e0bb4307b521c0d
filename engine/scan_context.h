// What a scan shares with the program that runs it. The Windows program keeps
// its scan globals in one place and wires them in here; the command line and
// the tests own them in a ScanGlobals. The engine itself has no globals.
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
  std::atomic<int>& g_bStopRequested;
  // The chosen path; a message store scan replaces an index's path by its store's.
  std::string& g_strSourceFile;
  // The store that extraction, the raw scan and record copies read. Kept after
  // the scan for preview and save.
  std::string& g_strStoreFile;
  // "AddBook.txt" in the folder given to the address book walk.
  std::string& g_strContactsFile;
  // The shared source-file object: the chosen file, left open by the message
  // store scan (the caller closes it) and closed by the address book walk.
  SourceFile& sourceFile;
};

// The shared state for programs without window globals (command line, tests).
struct ScanGlobals {
  std::atomic<int> g_bStopRequested{0};
  std::string g_strSourceFile;
  std::string g_strStoreFile;
  std::string g_strContactsFile;
  SourceFile sourceFile;

  ScanContext ContextFor(RecoveredList& list, ProgressBar& progress) {
    return ScanContext{list,           progress,          g_bStopRequested, g_strSourceFile,
                       g_strStoreFile, g_strContactsFile, sourceFile};
  }
};

}  // namespace tessel
