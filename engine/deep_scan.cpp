#include "engine/deep_scan.h"

#include <algorithm>
#include <optional>

#include "engine/byte_search.h"
#include "engine/header_block.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/message_start.h"
#include "engine/index_format.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::int64_t kLongestOpeningName = 12;  // "Delivered-To"
// Message starts tried when an index record is not where the index puts it.
constexpr int kResyncStarts = 64;
constexpr std::int64_t kSearchWindow = 65536;    // bytes searched for colons per step
constexpr std::int64_t kLongestFromLine = 1000;  // a mailbox "From " line before a header block
// The farthest one delimiter line of a multipart body is looked for after the
// one before: past it the body is taken as cut off there.
constexpr std::int64_t kPartReach = std::int64_t{64} << 20;
// Attached messages read through at the top of a message/rfc822 one.
constexpr int kDeepestAttachment = 8;

// Where the search for the next message goes on, whether that place is inside
// a text body, where quoted headers stand, and whether a line starts there even
// without a line end before it (right after a closing delimiter: a message
// that ends without a line end has the next one glued to its last line).
struct SearchFrom {
  std::int64_t position = 0;
  bool inBody = false;
  bool startsLine = false;
};

struct Message {
  std::int64_t start = -1;
  SearchFrom next;  // after its header, or its closing delimiter
};

struct Record {
  std::int64_t offset = 0;
  std::int64_t length = 0;
};

class StoreSearch {
 public:
  StoreSearch(ByteReader& store, std::size_t blockSize, const std::atomic<int>& stop)
      : blocks_(store, blockSize), stop_(stop) {}

  std::int64_t Size() const { return blocks_.Size(); }
  bool Stopped() const { return stop_.load() != 0; }

  // The first message that starts in [from.position, limit), and where the
  // search for the one after it goes on.
  Message NextMessage(SearchFrom from, std::int64_t limit) {
    Message message;
    HeaderBlock block;
    message.start = FindStart(from.position, limit, block, from.inBody, from.startsLine);
    if (message.start < 0) return message;
    std::int64_t bodyStart = message.start + block.size;
    for (int depth = 0; block.attachedMessage && depth < kDeepestAttachment; ++depth) {
      block = BlockAt(bodyStart, limit);
      if (!block.found) break;
      bodyStart += block.size;
    }
    message.next = block.boundary.empty() ? SearchFrom{bodyStart, true} : PastParts(block.boundary, bodyStart, limit);
    return message;
  }

  // Where a multipart body ends: at its closing delimiter, or, when that is
  // missing, after the last delimiter line that follows the one before within
  // reach, inside that last part. A body that never uses its boundary owns
  // nothing beyond its header.
  SearchFrom PastParts(const std::string& boundary, std::int64_t bodyStart, std::int64_t limit) {
    const std::string delimiter = "\r\n--" + boundary;
    const std::int64_t size = static_cast<std::int64_t>(delimiter.size());
    SearchFrom owned{bodyStart, false};
    std::int64_t from = std::max<std::int64_t>(bodyStart - 2, 0);  // the empty line's CR LF opens the first
    for (bool preamble = true;; preamble = false) {
      const std::int64_t last = std::min(limit, owned.position + kPartReach) - size - 2;
      const std::int64_t at = blocks_.Find(delimiter, from, last, &stop_);
      if (at < 0) return owned;
      // A message start before the first delimiter: the boundary is some later
      // message's (test mail declares "BOUNDARY" and never uses it).
      if (preamble) {
        HeaderBlock block;
        if (FindStart(bodyStart, at, block, false) >= 0) return owned;
      } else if (GapOpensSameBoundary(boundary, owned.position, at)) {
        return owned;  // the delimiter is a later message's: this one lost its closing delimiter
      }
      const std::string_view after = blocks_.Peek(at + size, at + size + 2);
      // Whatever follows a closing delimiter is outside the message: the next
      // one may even stand on the same line, when this one ends without a line end.
      if (after == "--") return {at + size + 2, false, true};
      from = at + 1;
      // "--" and the boundary followed by more of a name is another boundary, a
      // nested part's ("--outer_2").
      if (after.empty() || (after[0] != '\r' && after[0] != ' ' && after[0] != '\t')) continue;
      owned = {at + size, true};
    }
  }

  // True when a message in [from, to) declares `boundary` itself. Quoted and
  // forwarded headers in a part declare none, or another.
  bool GapOpensSameBoundary(const std::string& boundary, std::int64_t from, std::int64_t to) {
    HeaderBlock block;
    for (std::int64_t start = FindStart(from, to, block, false); start >= 0;
         start = FindStart(from, to, block, false)) {
      if (block.boundary == boundary) return true;
      from = start + std::max<std::int64_t>(block.size, 1);
    }
    return false;
  }

  // Whether the index's record may be taken as it stands.
  bool IsRecord(std::int64_t offset, std::int64_t length) {
    if (offset >= Size()) return false;
    // Brings the block to the record, so that the looks below and the row's
    // text need no reads of their own.
    blocks_.Bytes(offset, std::min(offset + kSearchWindow, Size()));
    const std::int64_t end = offset + length;
    if (end < Size() && blocks_.Peek(end - 2, end) != "\r\n") return false;
    std::int64_t blockAt = offset;
    const std::string_view first = blocks_.Peek(offset, std::min(end, offset + kLongestFromLine));
    if (first.starts_with("From ")) {
      const std::size_t lineFeed = first.find('\n');
      if (lineFeed == std::string_view::npos) return false;
      blockAt += static_cast<std::int64_t>(lineFeed) + 1;
    }
    const std::int64_t readEnd = std::min({end, blockAt + kHeaderBlockReach, Size()});
    return ReadHeaderBlock(blocks_.Peek(blockAt, readEnd), readEnd == end || readEnd == Size()).headerLines > 0;
  }

  std::string_view Text(std::int64_t begin, std::int64_t end) {
    return blocks_.Peek(begin, begin + std::min(end - begin, kRawTextCap));
  }

 private:
  HeaderBlock BlockAt(std::int64_t at, std::int64_t limit) {
    const std::int64_t end = std::min(at + kHeaderBlockReach, limit);
    if (at >= end) return HeaderBlock();
    return ReadHeaderBlock(blocks_.Peek(at, end), end == Size());
  }

  // The first line of a header block that starts a message, in [from, limit),
  // with the block's size counted from there; `inBody` when `from` lies in a
  // text body (message_start.h).
  std::int64_t FindStart(std::int64_t from, std::int64_t limit, HeaderBlock& block, bool inBody,
                         bool fromStartsLine = false) {
    std::int64_t position = from;
    while (position < limit && !Stopped()) {
      // Short windows: a request past the block's end moves the block, and
      // messages start every few kilobytes.
      const std::string_view window = blocks_.Bytes(position, std::min(limit, position + kSearchWindow));
      if (window.empty()) return -1;
      const std::int64_t windowBegin = position;
      std::int64_t found = -1;
      std::int64_t skipUntil = 0;  // colons of a block already judged
      for (std::size_t chunk = 0; chunk < window.size() && found < 0; chunk += 64) {
        std::uint64_t colons = ByteMask(window.data() + chunk, std::min<std::size_t>(64, window.size() - chunk), ':');
        for (; colons != 0 && found < 0; colons &= colons - 1) {
          const std::size_t colonAt = chunk + static_cast<std::size_t>(__builtin_ctzll(colons));
          const std::int64_t colon = windowBegin + static_cast<std::int64_t>(colonAt);
          if (colon < skipUntil) continue;
          const std::int64_t lineStart = OpeningLineStart(window, windowBegin, colon, from, fromStartsLine);
          if (lineStart < 0) continue;
          const std::int64_t reach = std::max(from, lineStart - kHeaderWalkBackLimit);
          const std::int64_t bytesBegin = std::max<std::int64_t>(reach - 1, 0);
          std::int64_t start = HeaderBlockStart(blocks_.Peek(bytesBegin, lineStart), bytesBegin, lineStart, reach);
          block = BlockAt(start, limit);
          if (StartsMessage(block) && !FollowsPartHeader(start, from)) {
            const std::int64_t withFromLine = WithFromLine(start, from);
            if (!inBody || StartsMessageInBody(block) || withFromLine != start) {
              found = withFromLine;
              block.size += start - withFromLine;  // the body starts where it did
              break;
            }
          }
          // Any other line of this block leads to the same start.
          if (block.found) skipUntil = start + block.size;
          // The looks aside leave the window where it is.
        }
      }
      if (found >= 0) return found;
      position = std::max(windowBegin + static_cast<std::int64_t>(window.size()), skipUntil);
    }
    return -1;
  }

  // True when the block at `start` opens the body of a MIME part: after a
  // delimiter line ("--" and a boundary) and the part's own header. A forwarded
  // or bounced message's header stands there, also when the boundary that
  // would have told so is lost.
  bool FollowsPartHeader(std::int64_t start, std::int64_t from) {
    const std::int64_t emptyLine = start - 2;
    if (emptyLine - 2 < from || blocks_.Peek(emptyLine - 2, start) != "\r\n\r\n") return false;
    const std::int64_t reach = std::max(from, emptyLine - kHeaderWalkBackLimit);
    const std::int64_t bytesBegin = std::max<std::int64_t>(reach - 1, 0);
    const std::int64_t partHeader = HeaderBlockStart(blocks_.Peek(bytesBegin, emptyLine), bytesBegin, emptyLine, reach);
    if (partHeader == emptyLine || partHeader - 2 < from) return false;
    const std::int64_t lookBegin = std::max(from, partHeader - kLongestFromLine);
    const std::string_view look = blocks_.Peek(lookBegin, partHeader - 2);
    const std::size_t lineFeed = look.rfind('\n');
    const std::size_t lineBegin = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
    if (lineFeed == std::string_view::npos && lookBegin != 0 && lookBegin != from) return false;
    return look.substr(lineBegin).starts_with("--");
  }

  // A mailbox "From " line right before a header block is part of the message.
  std::int64_t WithFromLine(std::int64_t start, std::int64_t from) {
    if (start - 2 < from) return start;
    const std::int64_t lookBegin = std::max(from, start - kLongestFromLine);
    const std::string_view look = blocks_.Peek(lookBegin, start);
    if (static_cast<std::int64_t>(look.size()) != start - lookBegin || !look.ends_with("\r\n")) return start;
    const std::size_t lineFeed = look.rfind('\n', look.size() - 3);
    if (lineFeed == std::string_view::npos && lookBegin != 0 && lookBegin != from) return start;
    const std::size_t lineBegin = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
    return look.substr(lineBegin).starts_with("From ") ? lookBegin + static_cast<std::int64_t>(lineBegin) : start;
  }

  // The start of the line whose name ends at `colon`, when it is a name that
  // opens messages and the line starts at or after `from` (or at `from` itself,
  // when `fromStartsLine`); -1 otherwise.
  std::int64_t OpeningLineStart(std::string_view window, std::int64_t windowBegin, std::int64_t colon,
                                std::int64_t from, bool fromStartsLine) {
    const std::int64_t lookBegin = std::max(colon - kLongestOpeningName - 1, std::max<std::int64_t>(from - 1, 0));
    std::string_view look = colon - lookBegin <= colon - windowBegin
                                ? window.substr(static_cast<std::size_t>(lookBegin - windowBegin),
                                                static_cast<std::size_t>(colon - lookBegin))
                                : blocks_.Peek(lookBegin, colon);
    if (static_cast<std::int64_t>(look.size()) != colon - lookBegin) return -1;
    std::size_t nameBegin = look.size();
    while (nameBegin > 0 && look[nameBegin - 1] != '\n') {
      if (fromStartsLine && lookBegin + static_cast<std::int64_t>(nameBegin) == from) break;
      const char c = look[nameBegin - 1];
      if (c <= ' ' || c > '~') return -1;
      --nameBegin;
    }
    const std::int64_t lineStart = lookBegin + static_cast<std::int64_t>(nameBegin);
    // No line feed before the name within reach.
    if (nameBegin == 0 && lineStart != 0 && !(fromStartsLine && lineStart == from)) return -1;
    if (lineStart < from) return -1;
    return IsMessageOpeningName(look.substr(nameBegin)) ? lineStart : -1;
  }

  BlockReader blocks_;
  const std::atomic<int>& stop_;
};

// The records an index gives, checked against the store, in store order.
class IndexRecords {
 public:
  IndexRecords(ByteReader& index, std::size_t blockSize, StoreSearch& store, const std::atomic<int>& stop)
      : index_(index, blockSize), store_(store), stop_(stop) {}

  std::optional<Record> Next() {
    const std::int64_t indexSize = index_.Size();
    const std::int64_t markerSize = static_cast<std::int64_t>(kIndexEntryMarker.size());
    while (from_ < indexSize && stop_.load() == 0) {
      const std::int64_t marker = index_.Find(kIndexEntryMarker, from_, indexSize - markerSize - 1, &stop_);
      if (marker < 0) break;
      const std::int64_t lengthField = marker + markerSize;
      const std::string_view lengthBytes = index_.Bytes(lengthField, lengthField + kEntryLengthSize);
      if (lengthBytes.size() < kEntryLengthSize) break;
      const std::int64_t length = EntryLength(lengthBytes);
      from_ = lengthField + kEntryLengthSize;
      if (!IsPlausibleLength(length, store_.Size())) continue;  // adds nothing, as in the walk
      const std::optional<Record> record = Find(length);
      if (record) {
        next_ = accepted_ = record->offset + length;
        return record;
      }
      next_ += length;  // damaged: the ones after it still count from here
    }
    from_ = indexSize;
    return std::nullopt;
  }

 private:
  std::optional<Record> Find(std::int64_t length) {
    if (store_.IsRecord(next_, length)) return Record{next_, length};
    // From the end of the last record taken: a damaged entry's length may have
    // carried the offset past this one's message.
    SearchFrom from{accepted_, false};
    for (int tried = 0; tried < kResyncStarts && from.position < store_.Size(); ++tried) {
      const Message message = store_.NextMessage(from, store_.Size());
      if (message.start < 0) break;
      if (store_.IsRecord(message.start, length)) return Record{message.start, length};
      // The index's length is the test here, not what a quote looks like.
      from = {std::max(message.next.position, message.start + 1), false};
    }
    return std::nullopt;
  }

  BlockReader index_;
  StoreSearch& store_;
  const std::atomic<int>& stop_;
  std::int64_t from_ = 0;      // where the search for the next entry marker goes on
  std::int64_t next_ = 0;      // where the next record should start
  std::int64_t accepted_ = 0;  // where the last record taken ends
};

class DeepRows {
 public:
  DeepRows(ScanPorts& context, StoreSearch& store) : context_(context), store_(store) {}

  void List(std::int64_t begin, std::int64_t end, std::string_view origin) {
    RecoveredList& list = context_.list;
    const int row = list.AppendRow("");
    ExtractHeaderFields(store_.Text(begin, end), list, row, fields_);
    list.SetCell(row, kOffsetCell, FormatDecimalCell(begin));
    list.SetCell(row, kLengthCell, FormatDecimalCell(end - begin));
    list.SetCell(row, kOriginCell, std::string(origin));
    context_.progress.SetPosition(end);
  }

 private:
  ScanPorts& context_;
  StoreSearch& store_;
  HeaderFields fields_;
};

}  // namespace

void DeepScan(ScanPorts& context, ByteReader& storeFile, ByteReader* indexFile, std::size_t blockSize) {
  StoreSearch store(storeFile, blockSize, context.stopRequested);
  context.progress.SetRange(store.Size());
  std::optional<IndexRecords> index;
  if (indexFile != nullptr) index.emplace(*indexFile, blockSize, store, context.stopRequested);
  DeepRows rows(context, store);

  std::int64_t position = 0;
  while (position < store.Size() && !store.Stopped()) {
    const std::optional<Record> record = index ? index->Next() : std::nullopt;
    const std::int64_t limit = record ? record->offset : store.Size();
    // The store's own messages before the record.
    Message message = store.NextMessage({position, false}, limit);
    while (message.start >= 0) {
      const Message after = store.NextMessage(message.next, limit);
      // A stopped search lists nothing for the message whose end it sought.
      if (store.Stopped()) return;
      rows.List(message.start, after.start >= 0 ? after.start : limit, kOriginStore);
      message = after;
    }
    if (!record) break;
    rows.List(record->offset, std::min(record->offset + record->length, store.Size()), kOriginIndex);
    position = record->offset + record->length;
  }
}

}  // namespace tessel
