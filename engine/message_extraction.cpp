#include "engine/message_extraction.h"

#include <algorithm>

#include "engine/window_protocol.h"

namespace tessel {
namespace {

// A record is copied a chunk at a time, only the bytes actually read passed
// on, so a record cut short by the end of the store stops where it does.
constexpr std::size_t kCopyChunk = 2000;

}  // namespace

bool ExtractIndexedMessage(BlockReader& store, std::int64_t offset, std::int64_t length, HeaderFields& fields,
                           CellRow& cells) {
  // The store's length when it was opened: a read that later came back short
  // leaves the records after it listed, with the bytes that could be read.
  if (offset < 0 || offset >= store.FileSize()) return false;
  const std::int64_t end = offset + std::min(length, kIndexedTextCap);
  // A record longer than a quarter block puts the next one so far on that
  // reading a whole block for each would waste most of it: read them aside.
  const bool farApart = length > static_cast<std::int64_t>(store.BlockSize() / 4);
  ExtractHeaderFields(farApart ? store.Peek(offset, end) : store.Bytes(offset, end), fields, cells);
  return true;
}

std::int64_t CopyRecord(ByteReader& store, std::int64_t offset, std::int64_t length, const ChunkSink& sink) {
  char chunk[kCopyChunk];
  std::int64_t copied = 0;
  while (copied < length) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(length - copied, kCopyChunk));
    const std::size_t read = store.ReadAt(offset + copied, chunk, wanted);
    if (read == 0) break;  // the store ends (or a read failed) inside the record
    if (!sink(chunk, read)) return -1;
    copied += static_cast<std::int64_t>(read);
    if (read < wanted) break;
  }
  return copied;
}

}  // namespace tessel
