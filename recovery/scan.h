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
  kReadError,       // reads failed: see `unreadable`
};

struct ScanResult {
  ScanEnd end = ScanEnd::kComplete;
  // Where the message rows' records lie: the chosen store, or the store
  // beside the chosen index. Empty for an address book.
  std::string storePath;
  long long rows = 0;     // rows the scan listed
  long long repeats = 0;  // rows of the usual scan naming a record listed before: left out
  // A store, index or address book read past its bad sectors: what could not
  // be read, in file order. The rows around them are listed.
  std::vector<UnreadableStretch> unreadable;
};

// The contacts of an open address book, read past its bad sectors (the scan
// call's walk; tests give it readers that fail). `path` names it in `unreadable`.
ScanResult ScanAddressBook(ByteReader& book, RowSink& rows, const std::string& path = {});

// Scans `chosen` in `mode`, handing its rows to `rows`: each message row
// carries the bytes of its record that could not be read. A message store scan
// clears the stop request when it starts and polls it between reads; the
// address book walk ignores it.
ScanResult RunScan(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RowSink& rows,
                   ProgressBar& progress);

}  // namespace tessel::recovery
