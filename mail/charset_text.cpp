#include "mail/charset_text.h"

#include "export/code_pages.h"
#include "export/text_encoding.h"

namespace tessel::mail {
namespace {

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The Shift_JIS pair of the JIS X 0208 pair (row, cell), each 0x21 to 0x7E.
void AppendShiftJis(std::string& out, unsigned row, unsigned cell) {
  const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
  unsigned trail = cell + 0x7E;
  if ((row & 1) != 0) trail = cell + (cell <= 0x5F ? 0x1F : 0x20);
  out += static_cast<char>(lead);
  out += static_cast<char>(trail);
}

bool InJisRange(unsigned byte) { return byte >= 0x21 && byte <= 0x7E; }

constexpr char kEscape = 0x1B;
constexpr unsigned kHalfWidthKanaOffset = 0x80;  // JIS X 0201 kana 0x21-0x5F are Shift_JIS 0xA1-0xDF

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return true;
  // Valid UTF-8 comes back unchanged through the decoding that keeps it.
  return exporting::ToUtf8(bytes) == bytes;
}

std::string Iso2022JpToShiftJis(std::string_view bytes) {
  enum class Set { kAscii, kKanji, kKana } set = Set::kAscii;
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == kEscape && i + 2 < bytes.size()) {
      const std::string_view sequence = bytes.substr(i + 1, 2);
      if (sequence == "$B" || sequence == "$@") {
        set = Set::kKanji;
      } else if (sequence == "(B" || sequence == "(J") {
        set = Set::kAscii;
      } else if (sequence == "(I") {
        set = Set::kKana;
      } else {
        out += '?';
        continue;
      }
      i += 2;
    } else if (byte == '\n' || byte == '\r') {
      set = Set::kAscii;  // each line starts in ASCII
      out += static_cast<char>(byte);
    } else if (set == Set::kKanji && InJisRange(byte) && i + 1 < bytes.size() &&
               InJisRange(static_cast<unsigned char>(bytes[i + 1]))) {
      AppendShiftJis(out, byte, static_cast<unsigned char>(bytes[++i]));
    } else if (set == Set::kKana && byte >= 0x21 && byte <= 0x5F) {
      out += static_cast<char>(byte + kHalfWidthKanaOffset);
    } else if (set == Set::kKanji || byte >= 0x80) {
      out += '?';
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

std::string EucJpToShiftJis(std::string_view bytes) {
  constexpr unsigned kSingleShift2 = 0x8E;  // a half-width kana follows
  constexpr unsigned kSingleShift3 = 0x8F;  // a JIS X 0212 pair follows, which Shift_JIS lacks
  std::string out;
  out.reserve(bytes.size());
  const auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0U; };
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned byte = at(i);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else if (byte == kSingleShift2 && at(i + 1) >= 0xA1 && at(i + 1) <= 0xDF) {
      out += static_cast<char>(at(++i));
    } else if (byte == kSingleShift3 && at(i + 1) >= 0xA1 && at(i + 2) >= 0xA1) {
      out += '?';
      i += 2;
    } else if (byte >= 0xA1 && byte <= 0xFE && at(i + 1) >= 0xA1 && at(i + 1) <= 0xFE) {
      AppendShiftJis(out, byte - 0x80, at(++i) - 0x80);
    } else {
      out += '?';
    }
  }
  return out;
}

void AppendInCharset(std::string& out, std::string_view bytes, const Charset& charset, CharsetPort& port) {
  if (charset.recode == Recode::kIso2022JpToShiftJis) {
    if (!port.AppendUtf8(charset.codePage, Iso2022JpToShiftJis(bytes), out))
      AppendUndeclared(out, bytes, nullptr, port);
    return;
  }
  if (IsAscii(bytes)) {
    out.append(bytes);
    return;
  }
  if (charset.codePage == kUtf8Page) return exporting::AppendAsUtf8(out, bytes);
  if (charset.recode == Recode::kEucJpToShiftJis) {
    if (!port.AppendUtf8(charset.codePage, EucJpToShiftJis(bytes), out)) AppendUndeclared(out, bytes, nullptr, port);
    return;
  }
  if (!port.AppendUtf8(charset.codePage, bytes, out)) AppendUndeclared(out, bytes, nullptr, port);
}

void AppendUndeclared(std::string& out, std::string_view bytes, const Charset* fallback, CharsetPort& port) {
  if (IsValidUtf8(bytes)) {
    out.append(bytes);
  } else if (fallback != nullptr && fallback->codePage != kUtf8Page) {
    AppendInCharset(out, bytes, *fallback, port);
  } else {
    exporting::AppendFromCodePage(out, bytes, *exporting::FindCodePage(exporting::kDefaultCodePage));
  }
}

}  // namespace tessel::mail
