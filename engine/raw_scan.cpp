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

#include "engine/field_names.h"
#include "engine/header_block.h"
#include "engine/message_row.h"
#include "engine/message_extraction.h"
#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::int64_t kBoundarySize = static_cast<std::int64_t>(kMessageBoundary.size());
constexpr std::int64_t kBoundaryColon = static_cast<std::int64_t>(kMessageBoundary.find(':'));

// `bytes` holds the store's bytes [bytesBegin, bytesEnd).
bool IsBoundaryAt(BlockReader& store, const char* bytes, std::int64_t bytesBegin, std::int64_t bytesEnd,
                  std::int64_t at) {
  if (at >= bytesBegin && at + kBoundarySize <= bytesEnd)
    return std::memcmp(bytes + (at - bytesBegin), kMessageBoundary.data(), kMessageBoundary.size()) == 0;
  return at >= 0 && store.Peek(at, at + kBoundarySize) == kMessageBoundary;
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
  const std::int64_t bytesBegin = std::max<std::int64_t>(colon - kLongestFieldName, 0);
  const std::string_view bytes = store.Peek(bytesBegin, colon + 1);
  if (static_cast<std::int64_t>(bytes.size()) == colon + 1 - bytesBegin)
    NoteFieldName(bytes, bytesBegin, colon, textBegin, names);
}

void ListMessage(ScanPorts& context, BlockReader& store, std::int64_t begin, std::int64_t end, FieldNamePositions names,
                 HeaderFields& fields, MessageRow& row) {
  const std::string_view text = store.Peek(begin, begin + std::min(end - begin, kRawTextCap));
  for (auto& field : names.at)
    for (std::int64_t& at : field)
      if (at >= 0) at -= begin;
  ExtractHeaderFields(text, fields, row.cells, &names);
  row.record = {begin, end - begin};
  row.origin = Origin::kStore;
  row.unreadable.clear();
  context.rows.AddMessage(row);
}

// Where a search for the next boundary ended.
struct SearchEnd {
  std::int64_t boundary = -1;  // the next boundary the windows find; -1: none before the store ends
  bool stopped = false;        // the stop request was found set before a block was read
};

// The message a search is in, whose field names it notes on its way.
struct OpenMessage {
  std::int64_t recordBegin;
  FieldNamePositions& names;
};

// Looks at the colons from `from` on for the next boundary text. A boundary
// past `lastTested` is one the windows never test; it ends the search as the
// end of the store does. Notes the field names of `message`, if one is open.
SearchEnd NextBoundary(BlockReader& store, std::int64_t from, std::int64_t lastTested, OpenMessage* message,
                       const std::atomic<int>& stop) {
  for (;;) {
    // The colons of the block ahead, with the bytes before each at hand.
    const BlockReader::Window window = store.Ahead(from, &stop);
    if (window.stopped) return SearchEnd{-1, true};
    if (window.bytes.empty()) return SearchEnd{};
    const char* const bytes = window.bytes.data();
    const std::int64_t blockEnd = window.begin + static_cast<std::int64_t>(window.bytes.size());
    for (std::int64_t colon = store.NextMarked(from, blockEnd); colon < blockEnd;
         colon = store.NextMarked(colon + 1, blockEnd)) {
      const std::int64_t at = colon - kBoundaryColon;
      const bool mayBeBoundary = at >= window.begin && bytes[colon - 1 - window.begin] == 'n';
      if (mayBeBoundary && IsBoundaryAt(store, bytes, window.begin, blockEnd, at))
        return SearchEnd{at <= lastTested ? at : -1, false};
      if (message == nullptr) continue;
      if (colon - kLongestFieldName < window.begin) {
        NoteNameAtColon(store, colon, message->recordBegin, message->names);  // a Peek: the block stays
      } else if (MayEndFieldName(bytes, window.begin, colon, message->recordBegin)) {
        NoteFieldName(window.bytes, window.begin, colon, message->recordBegin, message->names);
      }
    }
    from = blockEnd;
  }
}

}  // namespace

void RawScanStore(ScanPorts& context, ByteReader& storeFile, std::size_t blockSize) {
  const std::int64_t storeSize = storeFile.Size();
  context.progress.SetRange(storeSize);
  if (storeSize == 0 || context.stopRequested.load() != 0) return;
  BlockReader store(storeFile, blockSize);
  store.MarkByte(':');  // the colons of each block are found while it is read
  const std::atomic<int>& stop = context.stopRequested;
  std::vector<std::int64_t> nameColons;  // the header walk's, its storage reused
  HeaderFields fields;                   // the values of the message listed last, their storage reused
  MessageRow row;                        // the row handed on last, its storage reused

  // The bytes before the first boundary belong to no message.
  const SearchEnd first = NextBoundary(store, 0, LastRawPositionSearched(0, storeSize), nullptr, stop);
  if (first.stopped || first.boundary < 0) return;
  FieldNamePositions names, nextNames;
  std::int64_t boundary = first.boundary;
  std::int64_t recordBegin = RecordStart(store, boundary, 0, nameColons, names);
  // Each boundary found, or the end of the store, ends the message before it.
  for (;;) {
    const std::int64_t boundaryEnd = boundary + kBoundarySize;
    OpenMessage message{recordBegin, names};
    const SearchEnd next =
        NextBoundary(store, boundaryEnd, LastRawPositionSearched(boundaryEnd, storeSize), &message, stop);
    if (next.stopped) return;  // a message whose end was not found is not listed
    const bool last = next.boundary < 0;
    const std::int64_t messageEnd = last ? store.Size() : next.boundary;
    const std::int64_t recordEnd =
        last ? messageEnd : RecordStart(store, next.boundary, boundaryEnd, nameColons, nextNames);
    ListMessage(context, store, recordBegin, recordEnd, names, fields, row);
    context.progress.SetPosition(messageEnd);
    if (last || stop.load() != 0) return;
    recordBegin = recordEnd;
    boundary = next.boundary;
    names = nextNames;
  }
}

}  // namespace tessel
