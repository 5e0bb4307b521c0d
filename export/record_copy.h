// A message's record copied out of its store, for `tessel show` and `tessel
// export`, the folder export and the wizard's Save and Preview, with what came
// of it. The copy reads through the reader that passes read errors, as the
// scans do: a piece that cannot be read is written as NUL bytes, so that every
// later byte keeps its offset in the message (MIME boundaries, lengths and
// line counts stay as stored), and the copy names the ranges. A record that
// runs past the end of a damaged store is copied as far as the store goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/skipping_reader.h"
#include "engine/source_file.h"

namespace tessel::exporting {

class OutputFile;

struct RecordCopy {
  enum class End {
    kComplete,    // every byte of the record, but those in `unreadable`
    kStoreEnds,   // the record runs past the store's size measured at opening, and the copy reached it
    kEndedEarly,  // the reads gave out at offset + copied, before that size: the store shrank, or a read failed
    kRefused,     // the destination refused a write
  };
  End end = End::kComplete;
  std::int64_t offset = 0;
  std::int64_t length = 0;     // as the row gives it
  std::int64_t copied = 0;     // bytes the destination took, NUL bytes for unreadable ones included
  std::int64_t storeSize = 0;  // measured when the store was opened
  // Store bytes inside the record that could not be read: NUL bytes in the copy.
  std::vector<UnreadableRange> unreadable;

  // Every byte of the record, each as stored.
  bool Whole() const { return end == End::kComplete && unreadable.empty(); }
  // The copy holds every byte the store has of the record (NUL bytes for unreadable ones).
  bool Kept() const { return end == End::kComplete || end == End::kStoreEnds; }
};

// Copies `record` out of `store` to `sink`, a chunk at a time.
RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, const ChunkSink& sink);
// The same into an open output file (kRefused when a write failed).
RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, OutputFile& file);

// For a copy that is not whole, what happened, as one line after `what` ("row
// 2"): "row 2: the store ends 650 bytes into this message; wrote 650 of 990
// bytes". Empty for a whole copy, and for a refused one (its file says why).
std::string RecordCopyNote(const std::string& what, const RecordCopy& copy);

}  // namespace tessel::exporting
