#include "cli/terminal_text.h"

#include <cstdio>

#include "export/text_encoding.h"

namespace tessel::cli {
namespace {

using exporting::ToUtf8;

// Bytes at `at` of a UTF-8 text that a terminal would act on rather than show;
// 0 when the character there is plain.
size_t ControlLength(std::string_view utf8, size_t at) {
  const auto byte = [&](size_t i) { return at + i < utf8.size() ? static_cast<unsigned char>(utf8[at + i]) : 0; };
  if (byte(0) < 0x20 || byte(0) == 0x7F) return 1;
  if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;
  if (byte(0) == 0xE2 && byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) return 3;
  if (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9) return 3;
  return 0;
}

// The code point of the control of `length` bytes at the start of `utf8`.
unsigned ControlCodePoint(std::string_view utf8, size_t length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
  if (length == 1) return byte(0);
  if (length == 2) return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
  return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
}

enum class ControlShown { kAsSpace, kEscaped };

std::string Shown(std::string_view bytes, ControlShown shown) {
  const std::string utf8 = ToUtf8(bytes);
  std::string text;
  text.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const size_t control = ControlLength(utf8, at);
    if (control == 0) {
      text += utf8[at++];
      continue;
    }
    if (shown == ControlShown::kAsSpace) {
      text += ' ';
    } else {
      const unsigned point = ControlCodePoint(std::string_view(utf8).substr(at, control), control);
      char escape[8];
      std::snprintf(escape, sizeof escape, point < 0x80 ? "\\x%02X" : "\\u%04X", point);
      text += escape;
    }
    at += control;
  }
  return text;
}

}  // namespace

std::string TerminalCellText(std::string_view bytes) { return Shown(bytes, ControlShown::kAsSpace); }

std::string TerminalLines(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text += TerminalCellText(line);
    if (end < bytes.size()) text += '\n';
    at = end + 1;
  }
  return text;
}

std::string TerminalText(std::string_view bytes) { return Shown(bytes, ControlShown::kEscaped); }

}  // namespace tessel::cli
