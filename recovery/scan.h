// The scan call both front ends make: one chosen file in, its rows into the
// front end's list, and a result out that says how the scan ended. The call
// opens, reads and closes every file it needs; nothing stays open after it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/chosen_file.h"
#include "engine/recovered_list.h"
#include "engine/source_file.h"

namespace tessel::recovery {

enum class ScanMode {
  kUsual,        // the index walk, or the raw scan of a store
  kDeep,         // every message of the store once, each marked "index" or "store"
  kAddressBook,  // the contacts of an address book
};

enum class ScanEnd {
  kComplete,
  kStopped,         // the stop request ended it; the rows listed so far stay
  kFileNotOpened,   // the chosen file could not be opened: nothing listed
  kStoreNotOpened,  // the store beside the chosen index is missing or cannot be opened
  kReadError,       // a read failed; the rows listed before it stay
};

struct ScanResult {
  ScanEnd end = ScanEnd::kComplete;
  // Where the message rows' records lie: the chosen store, or the store
  // beside the chosen index. Empty for an address book.
  std::string storePath;
  long long rows = 0;  // rows the scan listed
  // For kReadError: where the failed read started, and the C runtime's error code.
  std::int64_t errorOffset = 0;
  int errorCode = 0;
};

// The contacts of an open address book (the scan call's walk; tests give it
// readers that fail).
ScanResult ScanAddressBook(ByteReader& book, RecoveredList& list);

// Scans `chosen` in `mode`. A message store scan clears the stop request when
// it starts and polls it between reads; the address book walk ignores it.
ScanResult RunScan(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RecoveredList& list,
                   ProgressBar& progress);

}  // namespace tessel::recovery
