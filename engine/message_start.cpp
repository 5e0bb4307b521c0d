#include "engine/message_start.h"

#include <algorithm>
#include <array>

#include "engine/header_line.h"

namespace tessel {
namespace {

constexpr int kHeadersWithoutEmptyLine = 3;

// Header names and parameters are ASCII: no locale, and no call per byte
// (the C library's tolower was a quarter of the deep scan's time).
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindNoCase(std::string_view text, std::string_view pattern) {
  for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, pattern.size()), pattern)) return i;
  return std::string_view::npos;
}

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  for (std::string_view one : names)
    if (EqualsNoCase(name, one)) return true;
  return false;
}

// Names that servers and mail programs put into stored mail and that no
// reader copies into a quote; the first five may open a message glued to the
// one before.
constexpr std::array<std::string_view, 7> kStoredNames = {"Return-Path",  "Received",     "Delivered-To", "Message-ID",
                                                          "MIME-Version", "Content-Type", "X-Mailer"};
constexpr std::size_t kGluableNames = 5;

// Sender lines open a message only with an address in them.
constexpr std::array<std::string_view, 3> kSenderNames = {"From", "Sender", "Reply-To"};

// A line without its line end (LF, or CR LF).
std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The boundary parameter of a Content-Type value, quoted or not.
std::string BoundaryOf(std::string_view value) {
  std::size_t at = FindNoCase(value, "boundary=");
  // "xboundary=" is another parameter's name.
  while (at != std::string_view::npos && at > 0 && value[at - 1] != ';' && value[at - 1] != ' ' &&
         value[at - 1] != '\t') {
    const std::size_t next = FindNoCase(value.substr(at + 1), "boundary=");
    at = next == std::string_view::npos ? next : at + 1 + next;
  }
  if (at == std::string_view::npos) return {};
  value.remove_prefix(at + 9);
  if (!value.empty() && value[0] == '"') {
    const std::size_t close = value.find('"', 1);
    return std::string(value.substr(1, close == std::string_view::npos ? value.size() - 1 : close - 1));
  }
  std::size_t end = 0;
  while (end < value.size() && value[end] != ';' && value[end] != ' ' && value[end] != '\t' && value[end] != '\r')
    ++end;
  return std::string(value.substr(0, end));
}

// What the header line `line` named `name` tells of its block.
void NoteName(HeaderBlock& block, std::string_view name, std::string_view line, bool& opensByDate, bool& hasUrl) {
  if (IsOneOf(name, kSenderNames)) {
    if (line.find('@') != std::string_view::npos) block.opensMessage = true;
  } else if (EqualsNoCase(name, "Date")) {
    opensByDate = true;
  } else if (IsMessageOpeningName(name)) {
    block.opensMessage = true;
  }
  hasUrl = hasUrl || EqualsNoCase(name, "URL");
  block.stored = block.stored || IsOneOf(name, kStoredNames);
}

}  // namespace

bool IsMessageOpeningName(std::string_view name) {
  static constexpr std::array<std::string_view, 9> kOpeningNames = {
      "MIME-Version", "Return-Path", "Received", "Delivered-To", "Message-ID", "From", "Sender", "Date", "Reply-To"};
  return IsOneOf(name, kOpeningNames);
}

std::size_t HeaderNameColon(std::string_view line) {
  const std::size_t colon = FieldNameColon(line);
  // "http://..." at a line's start is a link, not a field named "http".
  return colon != std::string_view::npos && line.substr(colon + 1).starts_with("//") ? std::string_view::npos : colon;
}

HeaderBlock ReadHeaderBlock(std::string_view bytes, bool atEnd) {
  HeaderBlock block;
  std::string contentType;  // unfolded
  bool inContentType = false;
  bool opensByDate = false, hasUrl = false;
  std::size_t at = 0;
  for (;;) {
    const std::size_t lineFeed = bytes.find('\n', at);
    if (lineFeed == std::string_view::npos) {
      // A store that ends inside its last header keeps that message, its last
      // line one of the header's when it has a name.
      if (!atEnd) {
        // It may go on past the bytes given: not found, with the lines read.
        HeaderBlock runsOn;
        runsOn.size = block.headerLines > 0 ? static_cast<std::int64_t>(at) : 0;
        return runsOn;
      }
      const std::string_view last = bytes.substr(at);
      const std::size_t colon = HeaderNameColon(last);
      if (colon != std::string_view::npos) {
        ++block.headerLines;
        NoteName(block, last.substr(0, colon), last, opensByDate, hasUrl);
      }
      if (block.headerLines == 0) return HeaderBlock();
      block.size = static_cast<std::int64_t>(bytes.size());
      break;
    }
    const std::string_view line = WithoutLineEnd(bytes.substr(at, lineFeed + 1 - at));
    const std::size_t lineBegin = at;
    at = lineFeed + 1;
    if (line.empty()) {
      if (block.headerLines == 0) return HeaderBlock();
      block.size = static_cast<std::int64_t>(at);
      break;
    }
    if (IsContinuationLine(line)) {
      if (block.headerLines == 0) return HeaderBlock();
      if (inContentType) contentType.append(line);
      continue;
    }
    const std::size_t colon = HeaderNameColon(line);
    if (colon == std::string_view::npos) {
      // Mail that forgot the empty line: the body starts right after a header
      // of several lines.
      if (block.headerLines < kHeadersWithoutEmptyLine) return HeaderBlock();
      block.size = static_cast<std::int64_t>(lineBegin);
      break;
    }
    ++block.headerLines;
    const std::string_view name = line.substr(0, colon);
    NoteName(block, name, line, opensByDate, hasUrl);
    inContentType = EqualsNoCase(name, "Content-Type");
    if (inContentType) contentType.assign(line.substr(colon + 1));
  }
  block.found = true;
  block.opensMessage = block.opensMessage || (opensByDate && !hasUrl);
  std::string_view type = contentType;
  while (!type.empty() && (type[0] == ' ' || type[0] == '\t')) type.remove_prefix(1);
  if (StartsWithNoCase(type, "multipart/")) block.boundary = BoundaryOf(type);
  block.attachedMessage = StartsWithNoCase(type, "message/rfc822");
  block.deliveryStatus = StartsWithNoCase(type, "message/delivery-status");
  return block;
}

LeadingHeader ReadLeadingHeader(std::string_view bytes) {
  LeadingHeader header;
  // A mailbox "From " line before the header belongs to it.
  if (IsMailboxFromLine(bytes)) bytes.remove_prefix(std::min(bytes.size(), bytes.find('\n') + 1));
  // A message may open with empty lines, or lines of spaces.
  for (std::size_t lineFeed = bytes.find('\n');
       lineFeed != std::string_view::npos &&
       bytes.substr(0, lineFeed).find_first_not_of(" \t\r") == std::string_view::npos;
       lineFeed = bytes.find('\n'))
    bytes.remove_prefix(lineFeed + 1);
  while (!bytes.empty()) {
    const std::size_t lineFeed = bytes.find('\n');
    // The last line may run on past the bytes given.
    const std::string_view line = WithoutLineEnd(bytes.substr(0, lineFeed));
    bytes.remove_prefix(lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1);
    if (IsContinuationLine(line) && header.headerLines > 0) continue;
    const std::size_t colon = HeaderNameColon(line);
    if (colon == std::string_view::npos) {
      header.closed = line.empty();
      return header;
    }
    ++header.headerLines;
    header.opens = header.opens || IsMessageOpeningName(line.substr(0, colon));
  }
  header.runsOn = true;
  return header;
}

// True when a header line above a block's lines is a field of that block:
// it has a value, on the line or on continuation lines below it
// (`continued`), and does not end in a quoted-printable soft break. A form's
// or a signature's labels ("Address:", "Email:") carry no value; a style
// sheet's line in quoted-printable text ("margin-left:0 !important;=") runs on
// in the next line. An encoded word ends in "?=", base64 in "==".
bool IsFieldAbove(std::string_view line, std::size_t colon, bool continued) {
  const std::string_view value = line.substr(colon + 1);
  if (value.find_first_not_of(" \t") == std::string_view::npos) return continued;
  return !(value.ends_with('=') && !value.ends_with("?=") && !value.ends_with("=="));
}

std::size_t DeliveryStatusSize(std::string_view bytes) {
  std::size_t size = 0;
  for (std::size_t lineFeed = bytes.find('\n'); lineFeed != std::string_view::npos; lineFeed = bytes.find('\n', size)) {
    const std::string_view line = WithoutLineEnd(bytes.substr(size, lineFeed + 1 - size));
    const std::size_t colon = HeaderNameColon(line);
    const bool field = colon != std::string_view::npos && !IsMessageOpeningName(line.substr(0, colon));
    if (!field && !line.empty() && !(IsContinuationLine(line) && size > 0)) break;
    size = lineFeed + 1;
  }
  return size;
}

std::size_t HeaderBlockBegin(std::string_view before, bool startsLine) {
  std::size_t begin = before.size();  // the topmost header line so far
  std::size_t lineEnd = before.size();
  bool continued = false;  // the line below is a continuation line
  while (lineEnd > 0 && before[lineEnd - 1] == '\n') {
    const std::size_t lineFeed = lineEnd >= 2 ? before.rfind('\n', lineEnd - 2) : std::string_view::npos;
    const bool first = lineFeed == std::string_view::npos;
    if (first && !startsLine) break;  // the line may start before the bytes given
    const std::size_t lineBegin = first ? 0 : lineFeed + 1;
    const std::string_view line = WithoutLineEnd(before.substr(lineBegin, lineEnd - lineBegin));
    const std::size_t colon = HeaderNameColon(line);
    if (colon != std::string_view::npos && IsFieldAbove(line, colon, continued)) {
      begin = lineBegin;
    } else if (colon != std::string_view::npos || !IsContinuationLine(line)) {
      break;
    }
    continued = IsContinuationLine(line);
    if (first) break;
    lineEnd = lineBegin;
  }
  return begin;
}

bool IsMailboxFromLine(std::string_view line) {
  if (!line.starts_with("From ")) return false;
  line = line.substr(0, line.find('\n'));
  auto digit = [&line](std::size_t at) { return line[at] >= '0' && line[at] <= '9'; };
  for (std::size_t at = 1; at + 6 < line.size(); ++at)  // "0:00:00" of the time
    if (line[at] == ':' && line[at + 3] == ':' && digit(at - 1) && digit(at + 1) && digit(at + 2) && digit(at + 4) &&
        digit(at + 5))
      return true;
  return false;
}

std::size_t GluedStoredName(std::string_view token) {
  for (std::size_t i = 0; i < kGluableNames; ++i) {
    const std::string_view name = kStoredNames[i];
    if (token.size() >= name.size() && token.substr(token.size() - name.size()) == name) return name.size();
  }
  return 0;
}

}  // namespace tessel
