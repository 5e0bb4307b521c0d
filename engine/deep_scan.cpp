#include "engine/deep_scan.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/byte_search.h"
#include "engine/header_block.h"
#include "engine/header_line.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/message_start.h"
#include "engine/index_format.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::int64_t kLongestOpeningName = 12;  // "Delivered-To"
constexpr std::int64_t kLongestName = 100;        // longer "names" are text, not a header line
// The most bytes handed to a block search: the smallest block must hold them.
constexpr std::size_t kLongestSearchedText = 16;
constexpr std::int64_t kSearchWindow = 65536;    // bytes searched for colons per step
constexpr std::int64_t kLongestFromLine = 1000;  // a mailbox "From " line before a header block
// Bytes read first to check a record's header: most headers fit, and records
// far apart are read aside.
constexpr std::int64_t kRecordLook = 4096;
// The most bytes read for the header of a record the index gives: a To line
// with thousands of addresses runs past any block the search reads.
constexpr std::int64_t kLongestIndexedHeader = std::int64_t{1} << 20;
// Attached messages read through at the top of a message/rfc822 one.
constexpr int kDeepestAttachment = 8;
// How far past where the index puts a record its message is looked for:
// deleted mail between two kept messages, many at a time.
constexpr std::int64_t kResyncReach = std::int64_t{32} << 20;
// Message starts tried, past where the index puts a record, as the start of a
// record that ends at another start (the store's search split the message).
constexpr int kResyncStarts = 16;
// The starts after those where such a record may end.
constexpr int kResyncEnds = 64;
// Starts of one length tried farther on for a record, in store order.
constexpr int kFarStarts = 64;
// Searches from one place before the lengths that fit there are tabled.
constexpr int kNearAskedBeforeTable = 3;

// Where the search for the next message goes on, whether that place is inside
// a text body, where quoted headers stand, and whether a line starts there even
// without a line end before it (after a record, or a closing delimiter: a
// message stored without a final line end has the next one glued to its last line).
struct SearchFrom {
  std::int64_t position = 0;
  bool inBody = false;
  bool startsLine = false;
  bool inParts = false;  // inside a multipart body, where nested boundaries are unknown
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
    message.start = FindStart(from, from.position, limit, limit, block);
    if (message.start < 0) return message;
    std::int64_t bodyStart = message.start + block.size;
    for (int depth = 0; block.attachedMessage && depth < kDeepestAttachment; ++depth) {
      block = BlockAt(bodyStart, limit);
      if (!block.found) break;
      bodyStart += block.size;
    }
    if (block.deliveryStatus) {
      // Its fields are no message's header lines: the next one starts after them.
      const std::int64_t end = std::min(bodyStart + kHeaderBlockReach, limit);
      message.next = {bodyStart + static_cast<std::int64_t>(DeliveryStatusSize(blocks_.Peek(bodyStart, end))), false,
                      true};
      return message;
    }
    message.next =
        block.boundary.empty() ? SearchFrom{bodyStart, true} : MultipartEnd(block.boundary, bodyStart, limit);
    return message;
  }

  // True when a message's header block starts at `at` (after a mailbox "From "
  // line, if any): not on a line inside a header block or right after a MIME
  // part's header, and, inside a line, only with a name that only stored mail
  // carries (a message glued to one without a final line end).
  bool MessageAt(std::int64_t at) {
    if (at < 0 || at >= Size()) return false;
    // Most places are not even a header line's start: told at once.
    const std::string_view opening = blocks_.Peek(at, std::min(Size(), at + kLongestName + 1));
    if (!opening.starts_with("From ") && HeaderNameColon(opening) == std::string_view::npos) return false;
    const std::int64_t lookBack = std::max<std::int64_t>(at - kRecordLook, 0);
    const bool startsLine = StartsLine(at);
    if (startsLine) {
      const bool lookStartsLine = StartsLine(lookBack);
      const std::string_view before = blocks_.Peek(lookBack, at);
      if (HeaderBlockBegin(before, lookStartsLine) != before.size()) return false;
      if (FollowsPartHeader(at, lookBack, false)) return false;
    }
    std::int64_t blockAt = at;
    const std::string_view first = blocks_.Peek(at, std::min(Size(), at + kLongestFromLine));
    if (!startsLine) {
      const std::size_t colon = HeaderNameColon(first.substr(0, first.find('\n')));
      if (colon == std::string_view::npos || GluedStoredName(first.substr(0, colon)) != colon) return false;
    } else if (IsMailboxFromLine(first)) {
      const std::size_t lineFeed = first.find('\n');
      if (lineFeed == std::string_view::npos) return false;
      blockAt += static_cast<std::int64_t>(lineFeed) + 1;
    }
    for (const std::int64_t reach : {kRecordLook, kHeaderBlockReach}) {
      const std::int64_t end = std::min(blockAt + reach, Size());
      const HeaderBlock block = ReadHeaderBlock(blocks_.Peek(blockAt, end), end == Size());
      if (block.found || end == Size()) return StartsMessage(block);
    }
    return false;
  }

  // True when the index's record [at, at + length), which starts where the
  // record before it ends (or the store starts), is borne out by the store's
  // bytes: a header starts where it ends (or the store ends there), and not
  // inside a header block above it within the record; or a NUL byte stands
  // there, as unreadable bytes are handed on, which tells nothing against
  // it. Whatever else the record holds does not count.
  bool RecordFits(std::int64_t at, std::int64_t length) {
    const std::int64_t end = at + length;
    if (length <= 0 || end > Size()) return false;
    return end == Size() || NulAt(end) ||
           (IndexedHeaderAt(end, Size()) && !InsideHeader(end, at) && (StartsLine(end) || GluedAt(end)));
  }

  bool NulAt(std::int64_t at) { return blocks_.Peek(at, at + 1) == std::string_view("\0", 1); }

  // True when a name that only stored mail carries stands at `at`: a message
  // glued to the last line of one stored without a final line end.
  bool GluedAt(std::int64_t at) {
    const std::string_view first = blocks_.Peek(at, std::min(Size(), at + kLongestName + 1));
    const std::size_t colon = HeaderNameColon(first.substr(0, first.find('\n')));
    return colon != std::string_view::npos && GluedStoredName(first.substr(0, colon)) == colon;
  }

  bool StartsLine(std::int64_t at) { return at == 0 || blocks_.Peek(at - 1, at) == "\n"; }

  // Brings the block to `at`, so that looks at a record there need no reads of their own.
  void MoveTo(std::int64_t at) { blocks_.Bytes(at, std::min(at + kSearchWindow, Size())); }

  std::string_view Text(std::int64_t begin, std::int64_t end) {
    return blocks_.Peek(begin, begin + std::min(end - begin, kRawTextCap));
  }

 private:
  // Where a multipart body ends: after its closing delimiter, or, when the
  // next stored message's header comes first, there. Both are looked for a
  // stretch at a time, so a lost delimiter costs no search beyond that header.
  SearchFrom MultipartEnd(const std::string& boundary, std::int64_t bodyStart, std::int64_t limit) {
    const std::string closing = "\n--" + boundary + "--";
    const std::int64_t size = static_cast<std::int64_t>(closing.size());
    const SearchFrom body{bodyStart, true, false, true};
    for (std::int64_t from = bodyStart; from < limit && !Stopped(); from += kSearchWindow) {
      const std::int64_t to = std::min(limit, from + kSearchWindow);
      const std::int64_t at = FindWhole(closing, std::max<std::int64_t>(from - 1, 0), std::min(to - 1, limit - size));
      HeaderBlock block;
      const std::int64_t next = FindStart(body, from, at >= 0 ? at : to, limit, block);
      if (next >= 0) return {next, true};
      if (at >= 0) return {at + size, false, true};
    }
    return {limit, true};
  }

  // The first occurrence of `text` at a position in [from, last], searched by
  // its first bytes: a block, however small, holds those (a boundary may be
  // longer than a block).
  std::int64_t FindWhole(std::string_view text, std::int64_t from, std::int64_t last) {
    const std::string_view head = text.substr(0, kLongestSearchedText);
    for (;;) {
      const std::int64_t at = blocks_.Find(head, from, last, &stop_);
      if (at < 0 || blocks_.Peek(at, at + static_cast<std::int64_t>(text.size())) == text) return at;
      from = at + 1;
    }
  }

  // A header the index gives: two header lines or more at `at`, one of them
  // a name that opens messages or an empty line after them (hand-made mail),
  // read as far as they run before `limit`.
  bool IndexedHeaderAt(std::int64_t at, std::int64_t limit) {
    for (const std::int64_t reach : {kRecordLook, kHeaderBlockReach, kLongestIndexedHeader}) {
      const std::int64_t end = std::min(limit, at + reach);
      const LeadingHeader header = ReadLeadingHeader(blocks_.Peek(at, end));
      if (header.headerLines >= 2 && (header.opens || header.closed)) return true;
      if (!header.runsOn || end == limit) return false;
    }
    return false;
  }

  // True when `at` starts a line inside a header block that begins above
  // it, at or after `from`: header lines that open a message stand right
  // above it. Label lines ("Email: ann@example.org") and a sender without an
  // address ("From: the desk of ember") at the end of a body open none.
  bool InsideHeader(std::int64_t at, std::int64_t from) {
    if (!StartsLine(at)) return false;
    const std::int64_t begin = std::max(from, at - kRecordLook);
    const bool startsLine = StartsLine(begin);  // before the look: a look aside ends the last one's view
    const std::string_view before = blocks_.Peek(begin, at);
    const std::size_t top = HeaderBlockBegin(before, startsLine);
    return top < before.size() && ReadHeaderBlock(before.substr(top), true).opensMessage;
  }

  HeaderBlock BlockAt(std::int64_t at, std::int64_t limit) {
    const std::int64_t end = std::min(at + kHeaderBlockReach, limit);
    if (at >= end) return HeaderBlock();
    return ReadHeaderBlock(blocks_.Peek(at, end), end == Size());
  }

  // The first line of a header block that starts a message, with a colon in
  // [position, searchEnd) and the block read up to `limit`; the block's size
  // counted from there. `from` is where the search began: nothing before it is
  // looked at, and `from.inBody` says that it lies in a text body.
  std::int64_t FindStart(SearchFrom from, std::int64_t position, std::int64_t searchEnd, std::int64_t limit,
                         HeaderBlock& block) {
    // Where a run of header lines too long for a block was judged up to: the
    // lines after it are not walked back over again.
    SearchFrom judged = from;
    while (position < searchEnd && !Stopped()) {
      // Short windows: a request past the block's end moves the block, and
      // messages start every few kilobytes.
      const std::string_view window = blocks_.Bytes(position, std::min(searchEnd, position + kSearchWindow));
      if (window.empty()) return -1;
      const std::int64_t windowBegin = position;
      std::int64_t skipUntil = 0;  // colons of a block already judged
      for (std::size_t chunk = 0; chunk < window.size(); chunk += 64) {
        std::uint64_t colons = ByteMask(window.data() + chunk, std::min<std::size_t>(64, window.size() - chunk), ':');
        for (; colons != 0; colons &= colons - 1) {
          const std::int64_t colon =
              windowBegin + static_cast<std::int64_t>(chunk) + static_cast<std::int64_t>(__builtin_ctzll(colons));
          if (colon < skipUntil) continue;
          bool glued = false;
          const std::int64_t lineStart = OpeningLineStart(window, windowBegin, colon, from, glued);
          if (lineStart < 0) continue;
          // Delivery puts Return-Path on top: lines above it are the end of
          // the message before ("Phone: ..." under a signature).
          const bool onTop = glued || IsReturnPath(window, windowBegin, colon, lineStart);
          const std::int64_t start = onTop ? lineStart : BlockBegin(lineStart, judged);
          block = BlockAt(start, limit);
          if ((glued ? StartsMessageInBody(block) : StartsMessage(block)) &&
              !FollowsPartHeader(start, from.position, from.inParts)) {
            const std::int64_t withFromLine = glued ? start : WithFromLine(start, from.position);
            if (!from.inBody || StartsMessageInBody(block) || withFromLine != start) {
              const std::int64_t first = WithNulBytes(withFromLine, from.position);
              block.size += start - first;  // the body starts where it did
              return first;
            }
          }
          // Any other line of this block leads to the same start; and the lines
          // of one that runs past the reach are no start either (a body of
          // header-like lines is judged once, not at each line).
          if (block.found || block.size > 0) skipUntil = start + block.size;
          if (!block.found && block.size > 0) judged = {skipUntil, from.inBody, true, from.inParts};
          // The looks aside leave the window where it is.
        }
      }
      position = std::max(windowBegin + static_cast<std::int64_t>(window.size()), skipUntil);
    }
    return -1;
  }

  bool IsReturnPath(std::string_view window, std::int64_t windowBegin, std::int64_t colon, std::int64_t lineStart) {
    constexpr std::string_view kReturnPath = "return-path";
    if (colon - lineStart != static_cast<std::int64_t>(kReturnPath.size()) || lineStart < windowBegin) return false;
    const std::string_view name = window.substr(static_cast<std::size_t>(lineStart - windowBegin), kReturnPath.size());
    for (std::size_t i = 0; i < name.size(); ++i)
      if ((name[i] | 0x20) != kReturnPath[i]) return false;
    return true;
  }

  // The header block's first line above the line at `lineStart`, not before `from`.
  std::int64_t BlockBegin(std::int64_t lineStart, SearchFrom from) {
    const std::int64_t begin = std::max(from.position, lineStart - kHeaderWalkBackLimit);
    const bool startsLine = (from.startsLine && begin == from.position) || StartsLine(begin);
    const std::string_view before = blocks_.Peek(begin, lineStart);
    if (static_cast<std::int64_t>(before.size()) != lineStart - begin) return lineStart;
    return begin + static_cast<std::int64_t>(HeaderBlockBegin(before, startsLine));
  }

  // True when the block at `start` is a MIME part's own header (right after a
  // delimiter line: "--" and a boundary) or opens the body of a part (after
  // that header and an empty line), where a forwarded or bounced message's
  // header stands, also when the boundary that would have told so is lost.
  // `inParts`: `start` lies in a multipart body.
  bool FollowsPartHeader(std::int64_t start, std::int64_t from, bool inParts) {
    const std::int64_t begin = std::max(from, start - kHeaderWalkBackLimit);
    const bool startsLine = StartsLine(begin);
    std::string_view before = blocks_.Peek(begin, start);
    if (static_cast<std::int64_t>(before.size()) != start - begin) return false;
    if (EndsInDelimiterLine(before, startsLine, false)) return true;
    // The empty line that ends the part's header.
    if (before.ends_with("\n\r\n")) {
      before.remove_suffix(2);
    } else if (before.ends_with("\n\n")) {
      before.remove_suffix(1);
    } else {
      return false;
    }
    // The part's header lines, none when the part takes the default type.
    const std::size_t partHeader = HeaderBlockBegin(before, startsLine);
    return partHeader > 0 && EndsInDelimiterLine(before.substr(0, partHeader), startsLine, inParts);
  }

  // True when the last line of `bytes` is a delimiter line: "--" and a
  // boundary, of the characters a boundary may hold; "-- " is a signature's
  // separator, "-->" an HTML comment's end. Outside a multipart body, what
  // follows a closing delimiter ("--" boundary "--") is the next message;
  // inside one, before an empty line, it may be a nested boundary that ends
  // in "--" (a digest's "--__--__--").
  static bool EndsInDelimiterLine(std::string_view bytes, bool startsLine, bool inParts) {
    if (!bytes.ends_with('\n')) return false;
    const std::size_t lineFeed = bytes.size() >= 2 ? bytes.rfind('\n', bytes.size() - 2) : std::string_view::npos;
    if (lineFeed == std::string_view::npos && !startsLine) return false;
    std::string_view line = bytes.substr(lineFeed == std::string_view::npos ? 0 : lineFeed + 1);
    line = line.substr(0, line.find_last_not_of("\r\n") + 1);
    return line.size() > 2 && line.starts_with("--") && line[2] != ' ' && IsBoundary(line.substr(2)) &&
           (inParts || !line.ends_with("--"));
  }

  static bool IsAsciiAlnum(char c) {
    const char lower = static_cast<char>(c | 0x20);
    return (c >= '0' && c <= '9') || (lower >= 'a' && lower <= 'z');
  }

  static bool IsBoundary(std::string_view text) {
    for (const char c : text)
      if (!IsAsciiAlnum(c) && std::string_view("'()+_,-./:=? ").find(c) == std::string_view::npos) return false;
    return true;
  }

  // NUL bytes right before a message's header, or before the rest of a line
  // and header lines above its first line, are taken for the start of that
  // header: bytes that could not be read are handed on as NUL bytes, and the
  // readable rest of a message must not pass for a whole one.
  std::int64_t WithNulBytes(std::int64_t start, std::int64_t from) {
    const std::int64_t lookBegin = std::max(from, start - kRecordLook);
    const std::string_view look = blocks_.Peek(lookBegin, start);
    // Back over the header and continuation lines above, to the line before them.
    std::size_t lineBegin = look.size();
    for (;;) {
      const std::size_t lineFeed = lineBegin >= 2 ? look.rfind('\n', lineBegin - 2) : std::string_view::npos;
      const std::size_t above = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
      if (above == lineBegin) return start;
      std::string_view line = look.substr(above, lineBegin - above);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
      if (lineFeed == std::string_view::npos ||
          (HeaderNameColon(line) == std::string_view::npos && !IsContinuationLine(line))) {
        const std::size_t lastNul = line.rfind('\0');
        if (lastNul == std::string_view::npos) return start;
        const std::size_t kept = look.find_last_not_of('\0', above + lastNul);
        return lookBegin + static_cast<std::int64_t>(kept == std::string_view::npos ? 0 : kept + 1);
      }
      lineBegin = above;
    }
  }

  // A mailbox "From " line right before a header block is part of the message.
  std::int64_t WithFromLine(std::int64_t start, std::int64_t from) {
    if (start - 2 < from) return start;
    const std::int64_t lookBegin = std::max(from, start - kLongestFromLine);
    const std::string_view look = blocks_.Peek(lookBegin, start);
    if (static_cast<std::int64_t>(look.size()) != start - lookBegin || !look.ends_with("\n")) return start;
    const std::size_t lineFeed = look.size() >= 2 ? look.rfind('\n', look.size() - 2) : std::string_view::npos;
    if (lineFeed == std::string_view::npos && lookBegin != 0 && lookBegin != from) return start;
    const std::size_t lineBegin = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
    return IsMailboxFromLine(look.substr(lineBegin)) ? lookBegin + static_cast<std::int64_t>(lineBegin) : start;
  }

  // The start of the line whose name ends at `colon`, when it is a name that
  // opens messages and the line starts at or after `from` (or at `from` itself,
  // when it starts a line). Otherwise, when the text before the colon ends in a
  // name only stored mail carries, where that name starts, with `glued` set. -1 when neither.
  std::int64_t OpeningLineStart(std::string_view window, std::int64_t windowBegin, std::int64_t colon, SearchFrom from,
                                bool& glued) {
    const std::int64_t lookBegin =
        std::max(colon - kLongestOpeningName - 1, std::max<std::int64_t>(from.position - 1, 0));
    std::string_view look = colon - lookBegin <= colon - windowBegin
                                ? window.substr(static_cast<std::size_t>(lookBegin - windowBegin),
                                                static_cast<std::size_t>(colon - lookBegin))
                                : blocks_.Peek(lookBegin, colon);
    if (static_cast<std::int64_t>(look.size()) != colon - lookBegin) return -1;
    std::size_t nameBegin = look.size();
    bool lineStart = false;
    while (nameBegin > 0) {
      const char c = look[nameBegin - 1];
      if (c == '\n' || (from.startsLine && lookBegin + static_cast<std::int64_t>(nameBegin) == from.position)) {
        lineStart = true;
        break;
      }
      if (c <= ' ' || c > '~') break;
      --nameBegin;
    }
    const std::int64_t nameStart = lookBegin + static_cast<std::int64_t>(nameBegin);
    if (nameBegin == 0 && nameStart == 0) lineStart = true;  // the store's first line
    const std::string_view name = look.substr(nameBegin);
    if (lineStart && nameStart >= from.position && IsMessageOpeningName(name)) return nameStart;
    const std::size_t stored = GluedStoredName(name);
    // "X-Original-Message-ID" is a name of its own.
    if (stored == 0 || (stored < name.size() && (name[name.size() - stored - 1] == '-'))) return -1;
    const std::int64_t gluedStart = colon - static_cast<std::int64_t>(stored);
    if (gluedStart < from.position) return -1;
    glued = true;
    return gluedStart;
  }

  BlockReader blocks_;
  const std::atomic<int>& stop_;
};

// The messages the store's own search finds ahead of where the next record
// should start, each with its length (to the next start): where a record is
// looked for when the index disagrees with the store. Each byte is searched
// once however many entries look, and an entry is looked up by its length, so
// entries that match nothing cost little each.
class StartsAhead {
 public:
  StartsAhead(ByteReader& store, std::size_t blockSize, const std::atomic<int>& stop)
      : search_(store, blockSize, stop) {}

  // Where a record of `length` bytes may start, at or after `from`, when the
  // next entry's record is `nextLength` bytes (0: none): among the next few
  // starts, the first whose message ends after that many bytes where one of the
  // next starts stands or the store ends; else the first after which the next
  // record ends so (this one's end has no header of its own); else the first
  // start farther on, among the next few of messages that long, after which
  // the next record also ends where one starts (many messages share a length, and the nearest one
  // is not always the one). -1 when none within reach.
  std::int64_t Find(std::int64_t from, std::int64_t length, std::int64_t nextLength) {
    Discover(from);
    const std::int64_t size = search_.Size();
    if (nearFrom_ != from) {
      nearFrom_ = from;
      nearAsked_ = 0;
      nearFits_.clear();
    }
    // Entries that match nothing ask again and again from the same place: the
    // lengths that fit there are then worked out once.
    if (++nearAsked_ == kNearAskedBeforeTable) MakeNearFits();
    for (const std::int64_t wanted : {length, nextLength > 0 ? length + nextLength : -1}) {
      if (wanted < 0) continue;
      if (nearAsked_ >= kNearAskedBeforeTable) {
        const auto fit = nearFits_.find(wanted);
        if (fit != nearFits_.end() && fit->second + length <= size) return fit->second;
        continue;
      }
      for (std::size_t i = 0; i < std::min<std::size_t>(order_.size(), kResyncStarts); ++i)
        if (order_[i].start + length <= size && NearStartAt(order_[i].start + wanted)) return order_[i].start;
    }
    // The first few starts of messages that long, in store order: an entry
    // that matches nothing costs no more than they, however many share its length.
    const auto sameLength = byLength_.find(length);
    if (sameLength == byLength_.end()) return -1;
    int tried = 0;
    for (const std::int64_t start : sameLength->second) {
      if (start < from) continue;
      if (++tried > kFarStarts) break;
      if (start + length <= size && (nextLength == 0 || StartsAt(start + length + nextLength))) return start;
    }
    return -1;
  }

  // True when a message the store's search found starts at `at`, or the store ends there.
  bool StartsAt(std::int64_t at) const { return at == search_.Size() || lengthOf_.contains(at); }

 private:
  struct Start {
    std::int64_t start;
    std::int64_t length;  // to the next start, or the store's end
  };

  void Discover(std::int64_t from) {
    if (from > cursor_.position) {  // the records went past what was searched
      order_.clear();
      lengthOf_.clear();
      byLength_.clear();
      cursor_ = {from, false, true};
      pending_ = -1;
      done_ = false;
    }
    while (!order_.empty() && order_.front().start < from) Forget();
    const std::int64_t horizon = from + kResyncReach;
    while (!done_ && cursor_.position < horizon && !search_.Stopped()) {
      const Message message = search_.NextMessage(cursor_, search_.Size());
      if (search_.Stopped()) return;
      const std::int64_t end = message.start >= 0 ? message.start : search_.Size();
      if (pending_ >= 0) Add(pending_, end - pending_);
      if (message.start < 0) {
        done_ = true;
        cursor_.position = search_.Size();
        break;
      }
      pending_ = message.start;
      // Quotes and hand-made mail inside a body are starts here too: a
      // record's length, not how a header looks, decides.
      cursor_ = {message.next.position, false, message.next.startsLine};
    }
  }

  // One of the next kResyncEnds starts stands at `at`, or the store ends there.
  bool NearStartAt(std::int64_t at) const {
    if (at == search_.Size()) return true;
    const std::size_t last = std::min<std::size_t>(order_.size(), kResyncEnds);
    return last > 0 && at <= order_[last - 1].start && lengthOf_.contains(at);
  }

  // The lengths NearStartAt accepts after each of the next kResyncStarts
  // starts, each with the first start it fits.
  void MakeNearFits() {
    const std::size_t starts = std::min<std::size_t>(order_.size(), kResyncStarts);
    const std::size_t ends = std::min<std::size_t>(order_.size(), kResyncEnds);
    for (std::size_t i = 0; i < starts; ++i) {
      for (std::size_t j = i + 1; j < ends; ++j) nearFits_.emplace(order_[j].start - order_[i].start, order_[i].start);
      nearFits_.emplace(search_.Size() - order_[i].start, order_[i].start);
    }
  }

  void Add(std::int64_t start, std::int64_t length) {
    order_.push_back({start, length});
    lengthOf_.emplace(start, length);
    byLength_[length].push_back(start);
  }

  // Starts are added and forgotten in store order: the first one is the
  // first of its length too.
  void Forget() {
    const Start front = order_.front();
    const auto sameLength = byLength_.find(front.length);
    sameLength->second.pop_front();
    if (sameLength->second.empty()) byLength_.erase(sameLength);
    lengthOf_.erase(front.start);
    order_.pop_front();
  }

  StoreSearch search_;
  SearchFrom cursor_{-1};
  std::int64_t pending_ = -1;                                // the last start found, its length not yet known
  bool done_ = false;                                        // searched to the store's end
  std::deque<Start> order_;                                  // in store order: found in it
  std::unordered_map<std::int64_t, std::int64_t> lengthOf_;  // start -> length
  std::unordered_map<std::int64_t, std::deque<std::int64_t>> byLength_;  // length -> starts, in store order
  std::int64_t nearFrom_ = -1;                                           // where the last search began
  int nearAsked_ = 0;                                                    // searches from there
  std::unordered_map<std::int64_t, std::int64_t> nearFits_;              // length -> start
};

// The records an index gives, checked against the store, in store order.
class IndexRecords {
 public:
  IndexRecords(ByteReader& index, ByteReader& storeFile, std::size_t blockSize, StoreSearch& store,
               const std::atomic<int>& stop)
      : index_(index, blockSize), store_(store), storeFile_(storeFile), blockSize_(blockSize), stop_(stop) {}

  std::optional<Record> Next() {
    bool plausible = true;
    for (std::int64_t length = NextLength(from_, &plausible); length > 0 && stop_.load() == 0;
         length = NextLength(from_, &plausible)) {
      // A length the walk would not take is kept only where the store bears it out.
      store_.MoveTo(next_);
      const bool fits = store_.RecordFits(next_, length);
      if (!plausible && !fits) continue;
      const std::int64_t at = fits ? next_ : Place(length);
      if (at >= 0) {
        next_ = shifted_ = at + length;
        return Record{at, length};
      }
      // Matches nothing: the records after it are looked for from where it
      // should have been, and from where it says it ends.
      shifted_ += length;
    }
    return std::nullopt;
  }

 private:
  // The length of the next entry from `from` that may be a record (that the
  // walk would accept, unless `plausible` is given: then any that fits in the
  // store, `plausible` saying whether the walk would), and `from` past it; 0
  // when there is none.
  std::int64_t NextLength(std::int64_t& from, bool* plausible = nullptr) {
    const std::int64_t indexSize = index_.Size();
    const std::int64_t markerSize = static_cast<std::int64_t>(kIndexEntryMarker.size());
    while (from < indexSize && stop_.load() == 0) {
      const std::int64_t marker = index_.Find(kIndexEntryMarker, from, indexSize - markerSize - 1, &stop_);
      if (marker < 0) break;
      const std::int64_t lengthField = marker + markerSize;
      const std::string_view lengthBytes = index_.Bytes(lengthField, lengthField + kEntryLengthSize);
      if (lengthBytes.size() < kEntryLengthSize) break;
      const std::int64_t length = EntryLength(lengthBytes);
      from = lengthField + kEntryLengthSize;
      if (plausible != nullptr) *plausible = IsPlausibleLength(length, store_.Size());
      // Others add nothing, as in the walk.
      if (plausible != nullptr ? length > 0 && length <= store_.Size() : IsPlausibleLength(length, store_.Size()))
        return length;
    }
    from = indexSize;
    return 0;
  }

  // Where the record of `length` bytes lies when the store does not bear it
  // out where the index puts it: at the first message ahead that has its
  // length (the mail before it was deleted); else where the index puts it when
  // a message starts there and it ends at a line end, or the next entry's
  // record ends where one starts (the bytes at its end are damaged, or no
  // header). -1: it matches nothing.
  std::int64_t Place(std::int64_t length) {
    const std::int64_t at = next_;
    const std::int64_t size = store_.Size();
    if (at + length > size) return -1;
    // An entry before this one that matched nothing may have been right after all.
    if (shifted_ != at && shifted_ + length <= size && store_.MessageAt(shifted_) &&
        (shifted_ + length == size || store_.MessageAt(shifted_ + length)))
      return shifted_;
    // Made on first need: a store that agrees with its index is read once.
    if (!ahead_) ahead_.emplace(storeFile_, blockSize_, stop_);
    std::int64_t peek = from_;
    const std::int64_t nextLength = NextLength(peek);
    const std::int64_t ahead = ahead_->Find(at, length, nextLength);
    if (ahead >= 0) return ahead;
    // Entries that match nothing all ask this of the same place.
    if (checkedAt_ != at) {
      checkedAt_ = at;
      messageAt_ = store_.MessageAt(at);
    }
    if (!messageAt_) return -1;
    const std::int64_t after = at + length + nextLength;
    const bool endsLine = store_.StartsLine(at + length);
    return endsLine || after == at + length || after == size || store_.MessageAt(after) ? at : -1;
  }

  BlockReader index_;
  StoreSearch& store_;
  ByteReader& storeFile_;
  std::size_t blockSize_;
  const std::atomic<int>& stop_;
  std::optional<StartsAhead> ahead_;
  std::int64_t from_ = 0;        // where the search for the next entry marker goes on
  std::int64_t next_ = 0;        // where the next record should start
  std::int64_t shifted_ = 0;     // the same, counting the entries that matched nothing
  std::int64_t checkedAt_ = -1;  // where MessageAt was asked last, and its answer
  bool messageAt_ = false;
};

class DeepRows {
 public:
  DeepRows(ScanPorts& context, StoreSearch& store) : context_(context), store_(store) {}

  void List(std::int64_t begin, std::int64_t end, Origin origin) {
    ExtractHeaderFields(store_.Text(begin, end), fields_, row_.cells);
    row_.record = {begin, end - begin};
    row_.origin = origin;
    row_.unreadable.clear();
    context_.rows.AddMessage(row_);
    context_.progress.SetPosition(end);
  }

  // The store's own messages in [begin, end), which no record claims, and the
  // bytes before the first of them.
  void ListStretch(std::int64_t begin, std::int64_t end) {
    if (begin >= end) return;
    Message message = store_.NextMessage({begin, false, true}, end);
    if (store_.Stopped()) return;
    if (message.start != begin) List(begin, message.start >= 0 ? message.start : end, Origin::kUnclaimed);
    while (message.start >= 0) {
      const Message after = store_.NextMessage(message.next, end);
      // A stopped search lists nothing for the message whose end it sought.
      if (store_.Stopped()) return;
      List(message.start, after.start >= 0 ? after.start : end, Origin::kStore);
      message = after;
    }
  }

 private:
  ScanPorts& context_;
  StoreSearch& store_;
  HeaderFields fields_;
  MessageRow row_;  // the row handed on last, its storage reused
};

}  // namespace

void DeepScan(ScanPorts& context, ByteReader& storeFile, ByteReader* indexFile, std::size_t blockSize) {
  StoreSearch store(storeFile, blockSize, context.stopRequested);
  context.progress.SetRange(store.Size());
  std::optional<IndexRecords> index;
  if (indexFile != nullptr) index.emplace(*indexFile, storeFile, blockSize, store, context.stopRequested);
  DeepRows rows(context, store);

  std::int64_t position = 0;
  while (position < store.Size() && !store.Stopped()) {
    const std::optional<Record> record = index ? index->Next() : std::nullopt;
    rows.ListStretch(position, record ? record->offset : store.Size());
    if (!record || store.Stopped()) break;
    rows.List(record->offset, record->offset + record->length, Origin::kIndex);
    position = record->offset + record->length;
  }
}

}  // namespace tessel
