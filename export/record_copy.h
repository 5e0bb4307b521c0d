// A message's record copied out of its store, for `tessel show` and `tessel
// export` and for the wizard's Save and Preview, with what came of it. A
// record that runs past the end of a damaged store is copied as far as the
// store goes, and its file kept: it holds every byte the store has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/source_file.h"

namespace tessel::exporting {

class OutputFile;

struct RecordCopy {
  enum class End {
    kComplete,   // every byte of the record
    kStoreEnds,  // cut short where the store ends
    kReadError,  // cut short by a failed read at offset + copied (readError says why)
    kRefused,    // the destination refused a write
  };
  End end = End::kComplete;
  std::int64_t offset = 0;
  std::int64_t length = 0;  // as the row gives it
  std::int64_t copied = 0;  // bytes the destination took
  int readError = 0;        // the C runtime's error code of kReadError

  // True when fewer bytes than the row's length came out of the store.
  bool CutShort() const { return end == End::kStoreEnds || end == End::kReadError; }
};

// Copies `record` out of `store` to `sink`, a chunk at a time.
RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, const ChunkSink& sink);
// The same into an open output file (kRefused when a write failed).
RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, OutputFile& file);

// For a record cut short, what happened, as one line: "row 2: the store ends
// 650 bytes into this message; wrote 650 of 990 bytes". Empty otherwise.
std::string ShortRecordNote(long long number, const RecordCopy& copy, std::int64_t storeSize);

}  // namespace tessel::exporting
