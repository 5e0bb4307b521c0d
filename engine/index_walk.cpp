// The index walk: each entry marker that the index windows would find gives the
// length of the next message in the store. Accepted entries lie back to back
// from the store's first byte; the first rejected entry raw-scans the store,
// and the walk goes on right after every entry. A stretch of the index that
// could not be read raw-scans the store as a rejected entry does and ends the
// walk: the lengths lost in it leave the later offsets unknown.
#include <algorithm>

#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/index_format.h"
#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
void WalkIndex(ScanPorts& context, ByteReader& indexFile, ByteReader& storeFile, std::size_t blockSize) {
  const std::int64_t indexSize = indexFile.Size();
  const std::int64_t markerSize = static_cast<std::int64_t>(kIndexEntryMarker.size());
  context.progress.SetRange(indexSize);
  BlockReader index(indexFile, blockSize);
  BlockReader store(storeFile, blockSize);
  HeaderFields fields;  // the values of the message extracted last, their storage reused
  MessageRow row;       // the row handed on last, its storage reused
  bool rawScanned = false;
  const auto searchStoreOnce = [&] {
    if (rawScanned) return;
    if (storeFile.Size() > 0) RawScanStore(context, storeFile, blockSize);  // an unopened store has none
    rawScanned = true;
    context.progress.SetRange(indexSize);
  };

  std::int64_t from = 0;         // where the next window starts
  std::int64_t storeOffset = 0;  // where the next accepted message starts
  while (from < indexSize && context.stopRequested.load() == 0) {
    // A window tests positions up to its size minus 5, so none tests the last four.
    const std::int64_t marker = index.Find(kIndexEntryMarker, from, indexSize - markerSize - 1, &context.stopRequested);
    if (marker == BlockReader::kStopped) return;
    const std::int64_t lengthField = marker + markerSize;
    const std::string_view lengthBytes =
        marker < 0 ? std::string_view() : index.Bytes(lengthField, lengthField + kEntryLengthSize);
    // An unreadable byte up to this entry's end (or the index's) may have
    // held entries, or pass for part of a marker.
    if (indexFile.IsUnreadable(from, marker < 0 ? indexSize : lengthField + kEntryLengthSize)) {
      searchStoreOnce();
      return;
    }
    if (marker < 0) return;
    if (lengthBytes.size() < kEntryLengthSize) return;  // the last entry lost its length
    const std::int64_t length = EntryLength(lengthBytes);

    if (IsPlausibleLength(length, storeFile.Size())) {
      if (ExtractIndexedMessage(store, storeOffset, length, fields, row.cells)) {
        row.record = {storeOffset, length};
        row.origin = Origin::kIndex;
        row.unreadable.clear();
        context.rows.AddMessage(row);
      }
      storeOffset += length;
    } else {
      searchStoreOnce();
    }
    // Past the length field, whether the entry was accepted or not: a length of
    // 00 00 03 00 is no marker, and entries right after a rejected one still
    // count towards the offsets of those that follow.
    from = lengthField + kEntryLengthSize;
    context.progress.SetPosition(from);
  }
}

}  // namespace tessel
