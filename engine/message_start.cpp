#include "engine/message_start.h"

#include <array>

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

std::size_t NameColon(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] > ' ' && line[i] <= '~' && line[i] != ':') ++i;
  return i > 0 && i < line.size() && line[i] == ':' ? i : std::string_view::npos;
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

}  // namespace

bool IsMessageOpeningName(std::string_view name) {
  static constexpr std::array<std::string_view, 9> kOpeningNames = {
      "MIME-Version", "Return-Path", "Received", "Delivered-To", "Message-ID", "From", "Sender", "Date", "Reply-To"};
  for (std::string_view opening : kOpeningNames)
    if (EqualsNoCase(name, opening)) return true;
  return false;
}

bool IsQuotedName(std::string_view name) {
  // What readers copy when they forward or answer a message as text.
  static constexpr std::array<std::string_view, 11> kQuotedNames = {
      "From", "Sent", "Date", "To", "Cc", "Bcc", "Subject", "Reply-To", "Sender", "Importance", "Attachments"};
  for (std::string_view quoted : kQuotedNames)
    if (EqualsNoCase(name, quoted)) return true;
  return false;
}

HeaderBlock ReadHeaderBlock(std::string_view bytes, bool atEnd) {
  HeaderBlock block;
  std::string contentType;  // unfolded
  bool inContentType = false;
  std::size_t at = 0;
  for (;;) {
    const std::size_t lineFeed = bytes.find('\n', at);
    if (lineFeed == std::string_view::npos) {
      // A store that ends inside its last header keeps that message.
      if (!atEnd || block.headerLines == 0) return HeaderBlock();
      block.size = static_cast<std::int64_t>(bytes.size());
      break;
    }
    if (lineFeed == at || bytes[lineFeed - 1] != '\r') return HeaderBlock();  // header lines end in CR LF
    const std::string_view line = bytes.substr(at, lineFeed - 1 - at);
    at = lineFeed + 1;
    if (line.empty()) {
      if (block.headerLines == 0) return HeaderBlock();
      block.size = static_cast<std::int64_t>(at);
      break;
    }
    if (line[0] == ' ' || line[0] == '\t') {
      if (block.headerLines == 0) return HeaderBlock();
      if (inContentType) contentType.append(line);
      continue;
    }
    const std::size_t colon = NameColon(line);
    if (colon == std::string_view::npos) {
      // Mail that forgot the empty line: the body starts right after a header
      // of several lines.
      if (block.headerLines < kHeadersWithoutEmptyLine) return HeaderBlock();
      block.size = static_cast<std::int64_t>(at - line.size() - 2);
      break;
    }
    ++block.headerLines;
    const std::string_view name = line.substr(0, colon);
    if (IsMessageOpeningName(name)) block.opensMessage = true;
    if (!IsQuotedName(name)) block.quotable = false;
    inContentType = EqualsNoCase(name, "Content-Type");
    if (inContentType) contentType.assign(line.substr(colon + 1));
  }
  block.found = true;
  std::string_view type = contentType;
  while (!type.empty() && (type[0] == ' ' || type[0] == '\t')) type.remove_prefix(1);
  if (StartsWithNoCase(type, "multipart/")) block.boundary = BoundaryOf(type);
  block.attachedMessage = StartsWithNoCase(type, "message/rfc822");
  return block;
}

}  // namespace tessel
