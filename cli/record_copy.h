// A message row's record copied out of its store, for `show` and `export`.
// A record that runs past the end of a damaged store is copied as far as the
// store goes, as the engine copies it, and the command says so.
#pragma once

#include <cstdint>
#include <string>

#include "cli/rows.h"
#include "engine/message_extraction.h"
#include "engine/source_file.h"

namespace tessel::cli {

struct RecordCopy {
  std::int64_t offset = 0;
  std::int64_t length = 0;  // as the row gives it
  std::int64_t copied = 0;  // bytes handed to the sink
  bool refused = false;     // the sink refused a chunk (a write failed)
  int readError = 0;        // the store's read error that ended the copy, if any

  // True when fewer bytes than the row's length came out of the store.
  bool Short() const { return !refused && copied < length; }
};

// Copies the record [offset, offset + length) of the row `cells` to `sink`.
RecordCopy CopyRowRecord(ByteReader& store, const Row& cells, const ChunkSink& sink);

// For a short copy of row `number`, what happened, as one line:
// "row 2: the store ends 650 bytes into this message; wrote 650 of 990 bytes".
// Empty when the record came out whole.
std::string ShortRecordNote(long long number, const RecordCopy& copy, std::int64_t storeSize);

}  // namespace tessel::cli
