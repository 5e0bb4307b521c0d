#include "export/text_encoding.h"

#include <cstdint>

namespace tessel::exporting {
namespace {

void AppendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are
// not one (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
size_t ValidSequenceLength(std::string_view s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[at + i]); };
  const unsigned char lead = byte(0);
  const size_t left = s.size() - at;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && IsContinuation(byte(1)) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (left < 3 || !IsContinuation(byte(1)) || !IsContinuation(byte(2))) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;  // overlong
    if (lead == 0xED && byte(1) > 0x9F) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (left < 4 || !IsContinuation(byte(1)) || !IsContinuation(byte(2)) || !IsContinuation(byte(3))) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;  // overlong
    if (lead == 0xF4 && byte(1) > 0x8F) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
}

}  // namespace

void AppendAsUtf8(std::string& out, std::string_view bytes, const CodePage* fallback) {
  const CodePage& page = fallback != nullptr ? *fallback : *FindCodePage(kDefaultCodePage);
  size_t at = 0;
  while (at < bytes.size()) {
    const size_t length = ValidSequenceLength(bytes, at);
    if (length > 0) {
      out.append(bytes.substr(at, length));
      at += length;
      continue;
    }
    AppendCodePoint(out, page.high[static_cast<unsigned char>(bytes[at]) - 0x80]);
    ++at;
  }
}

std::string ToUtf8(std::string_view bytes, const CodePage* fallback) {
  std::string out;
  out.reserve(bytes.size());
  AppendAsUtf8(out, bytes, fallback);
  return out;
}

void AppendFromCodePage(std::string& out, std::string_view bytes, const CodePage& page) {
  if (page.number == kUtf8CodePage) return AppendAsUtf8(out, bytes, &page);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendCodePoint(out, byte < 0x80 ? byte : page.high[byte - 0x80]);
  }
}

std::string FromCodePage(std::string_view bytes, const CodePage& page) {
  std::string out;
  out.reserve(bytes.size());
  AppendFromCodePage(out, bytes, page);
  return out;
}

size_t CodePointCount(std::string_view utf8) {
  size_t count = 0;
  for (const char c : utf8) count += !IsContinuation(static_cast<unsigned char>(c));
  return count;
}

}  // namespace tessel::exporting
