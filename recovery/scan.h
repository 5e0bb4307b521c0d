// The scan call both front ends make: one chosen file in, its rows into the
// front end's list, and a result out that says how the scan ended. The call
// opens, reads and closes every file it needs; nothing stays open after it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/chosen_file.h"
#include "engine/progress_bar.h"
#include "engine/row_sink.h"
#include "engine/source_file.h"
#include "engine/unreadable_range.h"
#include "recovery/scan_mode.h"

namespace tessel::recovery {

// Bytes of a file that could not be read: the scan went on after them.
struct UnreadableStretch {
  std::string path;
  UnreadableRange range;
};

enum class ScanEnd {
  kComplete,
  kStopped,         // the stop request ended it; the rows listed so far stay
  kFileNotOpened,   // the chosen file could not be opened: nothing listed
  kStoreNotOpened,  // the store beside the chosen index is missing or cannot be opened
  kReadError,       // reads failed: see `unreadable` (a store) or errorOffset (an address book)
};

struct ScanResult {
  ScanEnd end = ScanEnd::kComplete;
  // Where the message rows' records lie: the chosen store, or the store
  // beside the chosen index. Empty for an address book.
  std::string storePath;
  long long rows = 0;     // rows the scan listed
  long long repeats = 0;  // rows of the usual scan naming a record listed before: left out
  // A store or index read past its bad sectors: what could not be read, in
  // file order. The rows around them are listed.
  std::vector<UnreadableStretch> unreadable;
  // An address book's walk ends at a failed read: where it started, and the
  // C runtime's error code. The contacts before it are listed.
  std::int64_t errorOffset = 0;
  int errorCode = 0;
};

// The contacts of an open address book (the scan call's walk; tests give it
// readers that fail).
ScanResult ScanAddressBook(ByteReader& book, RowSink& rows);

// Scans `chosen` in `mode`, handing its rows to `rows`: each message row
// carries the bytes of its record that could not be read. A message store scan
// clears the stop request when it starts and polls it between reads; the
// address book walk ignores it.
ScanResult RunScan(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RowSink& rows,
                   ProgressBar& progress);

}  // namespace tessel::recovery
