// The index walk: each entry marker that the index windows would find gives the
// length of the next message in the store. Accepted entries lie back to back
// from the store's first byte; the first rejected entry raw-scans the store,
// and the walk goes on right after every entry.
#include <algorithm>

#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

std::int64_t LittleEndian32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

// The store as the walk reads it: opened once, its size measured once.
class IndexedStore {
 public:
  IndexedStore(const std::string& path, std::size_t blockSize)
      : opened_(file_.Open(path)), blocks_(file_, blockSize), blockSize_(blockSize) {}

  bool IsPlausible(std::int64_t length) const { return opened_ && length > 0 && length < file_.Size() - kStoreMargin; }

  // Cells 0 to 3 from the record's first bytes; nothing for an offset past the
  // end. Returns false when the row is to be removed again: From and To empty.
  bool Extract(RecoveredList& list, int row, std::int64_t offset, std::int64_t length) {
    if (!opened_ || offset >= file_.Size()) return false;
    const std::int64_t end = offset + std::min(length, kIndexedTextCap);
    // Messages far apart are read one by one instead of a block at a time.
    const bool farApart = length > static_cast<std::int64_t>(blockSize_ / 4);
    ParseHeaderFields(farApart ? blocks_.Peek(offset, end) : blocks_.Bytes(offset, end), fields_);
    list.SetCell(row, kFromCell, fields_.from);
    list.SetCell(row, kSubjectCell, fields_.subject);
    list.SetCell(row, kToCell, fields_.to);
    list.SetCell(row, kDateCell, fields_.date);
    return !fields_.from.empty() || !fields_.to.empty();
  }

 private:
  SourceFile file_;
  bool opened_;
  BlockReader blocks_;
  std::size_t blockSize_;
  HeaderFields fields_;  // the cells of the message extracted last, their storage reused
};

}  // namespace

void WalkIndex(ScanContext& context, ByteReader& indexFile, std::size_t blockSize) {
  const std::int64_t indexSize = indexFile.Size();
  const std::int64_t markerSize = static_cast<std::int64_t>(kIndexEntryMarker.size());
  context.progress.SetRange(indexSize);
  BlockReader index(indexFile, blockSize);
  IndexedStore store(context.storeFile, blockSize);
  bool rawScanned = false;

  std::int64_t from = 0;         // where the next window starts
  std::int64_t storeOffset = 0;  // where the next accepted message starts
  while (from < indexSize && context.stopRequested.load() == 0) {
    // A window tests positions up to its size minus 5, so none tests the last four.
    const std::int64_t marker =
        index.Find(kIndexEntryMarker, from, indexSize - markerSize - 1, &context.stopRequested);
    if (marker < 0) return;
    const std::int64_t lengthField = marker + markerSize;
    const std::string_view lengthBytes = index.Bytes(lengthField, lengthField + kEntryLengthSize);
    if (lengthBytes.size() < kEntryLengthSize) return;  // the last entry lost its length
    const std::int64_t length = LittleEndian32(lengthBytes);

    if (store.IsPlausible(length)) {
      const int row = context.list.AppendRow("");
      context.list.SetCell(row, kOffsetCell, FormatDecimalCell(storeOffset));
      context.list.SetCell(row, kLengthCell, FormatDecimalCell(length));
      // The cells just set tell whether From and To are both empty.
      if (!store.Extract(context.list, row, storeOffset, length)) context.list.DeleteRow(row);
      storeOffset += length;
    } else if (!rawScanned) {
      SourceFile storeFile;
      if (storeFile.Open(context.storeFile)) RawScan(context, storeFile, blockSize);
      rawScanned = true;
      context.progress.SetRange(indexSize);
    }
    // Past the length field, whether the entry was accepted or not: a length of
    // 00 00 03 00 is no marker, and entries right after a rejected one still
    // count towards the offsets of those that follow.
    from = lengthField + kEntryLengthSize;
    context.progress.SetPosition(from);
  }
}

}  // namespace tessel
