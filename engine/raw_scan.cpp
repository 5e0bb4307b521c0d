// The raw scan: every "MIME-Version: 1." that the store's windows would find
// opens a message, and the next one found (or the end of the store) ends it.
// Each message's record starts at its header block (header_block.h), so the
// previous record ends there too.
//
// One pass over the store's colons does all the searching: the boundary text
// has one, and so has every header field name, so the pass finds the next
// boundary and notes the names of the message it is in at the same time. The
// names of a header block before its boundary come from the walk back that
// finds where the block starts.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/byte_search.h"
#include "engine/field_names.h"
#include "engine/header_block.h"
#include "engine/message_row.h"
#include "engine/message_store_scan.h"
#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::int64_t kBoundarySize = static_cast<std::int64_t>(kMessageBoundary.size());
constexpr std::int64_t kBoundaryColon = static_cast<std::int64_t>(kMessageBoundary.find(':'));
constexpr std::int64_t kLongestName = 8;  // "Subject:"

// `bytes` holds the store's bytes [bytesBegin, bytesEnd).
bool IsBoundaryAt(BlockReader& store, const char* bytes, std::int64_t bytesBegin, std::int64_t bytesEnd,
                  std::int64_t at) {
  if (at >= bytesBegin && at + kBoundarySize <= bytesEnd)
    return std::memcmp(bytes + (at - bytesBegin), kMessageBoundary.data(), kMessageBoundary.size()) == 0;
  return at >= 0 && store.Peek(at, at + kBoundarySize) == kMessageBoundary;
}

// A quick look whether a name of 3, 5 or 8 bytes could end at `colon`: only
// where it would start a line. `bytes` starts at file position `bytesBegin`,
// no later than max(colon - 8, textBegin).
inline bool MayEndFieldName(const char* bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin) {
  auto opensLine = [&](std::int64_t name) {
    return name == textBegin || (name > textBegin && bytes[name - 1 - bytesBegin] == '\n');
  };
  return opensLine(colon - 2) || opensLine(colon - 4) || opensLine(colon - 7);
}

// Where the record of the message at `boundary` starts, and the field names of
// its header block before the boundary: the walk back over the block meets
// every line where one could stand.
std::int64_t RecordStart(BlockReader& store, std::int64_t boundary, std::int64_t previousBoundaryEnd,
                         std::vector<std::int64_t>& nameColons, FieldNamePositions& names) {
  const std::int64_t limit = std::max(previousBoundaryEnd, boundary - kHeaderWalkBackLimit);
  const std::int64_t bytesBegin = std::max<std::int64_t>(limit - 1, 0);
  const std::string_view before = store.Peek(bytesBegin, boundary);
  const std::int64_t start = HeaderBlockStart(before, bytesBegin, boundary, limit, &nameColons);
  names = FieldNamePositions();
  // The walk went backwards; the first line's names must be noted first.
  for (auto colon = nameColons.rbegin(); colon != nameColons.rend(); ++colon)
    if (MayEndFieldName(before.data(), bytesBegin, *colon, start))
      NoteFieldName(before, bytesBegin, *colon, start, names);
  return start;
}

void NoteNameAtColon(BlockReader& store, std::int64_t colon, std::int64_t textBegin, FieldNamePositions& names) {
  const std::int64_t bytesBegin = std::max<std::int64_t>(colon - kLongestName, 0);
  const std::string_view bytes = store.Peek(bytesBegin, colon + 1);
  if (static_cast<std::int64_t>(bytes.size()) == colon + 1 - bytesBegin)
    NoteFieldName(bytes, bytesBegin, colon, textBegin, names);
}

void ListMessage(ScanContext& context, BlockReader& store, std::int64_t begin, std::int64_t end,
                 FieldNamePositions names, HeaderFields& fields) {
  // FieldsFromNames ends the text at its first NUL.
  const std::string_view text = store.Peek(begin, begin + std::min(end - begin, kRawTextCap));
  for (auto& field : names.at)
    for (std::int64_t& at : field)
      if (at >= 0) at -= begin;
  FieldsFromNames(text, names, fields);
  const int row = context.list.AppendRow("");
  context.list.SetCell(row, kFromCell, fields.from);
  context.list.SetCell(row, kSubjectCell, fields.subject);
  context.list.SetCell(row, kToCell, fields.to);
  context.list.SetCell(row, kDateCell, fields.date);
  context.list.SetCell(row, kOffsetCell, FormatDecimalCell(begin));
  context.list.SetCell(row, kLengthCell, FormatDecimalCell(end - begin));
}

}  // namespace

void RawScan(ScanContext& context, ByteReader& storeFile, std::size_t blockSize) {
  const std::int64_t storeSize = storeFile.Size();
  context.progress.SetRange(storeSize);
  if (storeSize == 0 || context.g_bStopRequested.load() != 0) return;
  BlockReader store(storeFile, blockSize);
  store.MarkByte(':');  // the colons of each block are found while it is read

  bool inMessage = false;
  std::int64_t boundary = 0, recordBegin = 0;
  FieldNamePositions names, nextNames;
  std::vector<std::int64_t> nameColons;  // the header walk's, its storage reused
  HeaderFields fields;                   // the cells of the message listed last, their storage reused
  // The windows that look for the next boundary start after the last one and
  // test positions up to `lastTested`.
  std::int64_t lastTested = LastRawPositionSearched(0, storeSize);
  std::int64_t from = 0;
  for (;;) {
    // The colons of the block ahead, with the bytes before each at hand.
    const BlockReader::Window window = store.Ahead(from, &context.g_bStopRequested);
    if (window.stopped) return;               // a message whose end was not found is not listed
    std::int64_t next = -1;                   // the next boundary the windows find, if any
    bool boundaryMet = window.bytes.empty();  // the end of the store counts as one
    const char* const bytes = window.bytes.data();
    const std::int64_t blockEnd = window.begin + static_cast<std::int64_t>(window.bytes.size());
    if (from < blockEnd) {
      const std::int64_t scanBegin = from;
      from = blockEnd;  // unless a colon below ends the look at this block earlier
      store.ForEachMarked(scanBegin, blockEnd, [&](std::int64_t colon) {
        const std::int64_t at = colon - kBoundaryColon;
        const bool mayBeBoundary = at >= window.begin && bytes[colon - 1 - window.begin] == 'n';
        if (mayBeBoundary && IsBoundaryAt(store, bytes, window.begin, blockEnd, at)) {
          boundaryMet = true;
          // The first boundary past the windows' reach ends the search.
          if (at <= lastTested) next = at;
          from = colon + 1;
          return false;
        }
        if (!inMessage) return true;
        if (colon - kLongestName >= window.begin) {
          if (MayEndFieldName(bytes, window.begin, colon, recordBegin))
            NoteFieldName(window.bytes, window.begin, colon, recordBegin, names);
          return true;
        }
        NoteNameAtColon(store, colon, recordBegin, names);
        from = colon + 1;
        return false;  // the look may have moved the block
      });
    }
    if (!boundaryMet) continue;

    if (inMessage) {
      const bool last = next < 0;
      const std::int64_t messageEnd = last ? store.Size() : next;
      const std::int64_t recordEnd =
          last ? messageEnd : RecordStart(store, next, boundary + kBoundarySize, nameColons, nextNames);
      ListMessage(context, store, recordBegin, recordEnd, names, fields);
      context.progress.SetPosition(messageEnd);
      if (last || context.g_bStopRequested.load() != 0) return;
      recordBegin = recordEnd;
    } else {
      if (next < 0) return;  // no message at all
      recordBegin = RecordStart(store, next, 0, nameColons, nextNames);
      inMessage = true;
    }
    boundary = next;
    names = nextNames;
    lastTested = LastRawPositionSearched(boundary + kBoundarySize, storeSize);
  }
}

void RawScanStore(ScanContext& context) {
  SourceFile store;
  if (store.Open(context.g_strStoreFile)) RawScan(context, store);
}

}  // namespace tessel
