#include "mail/encoded_words.h"

#include <optional>

#include "mail/charset_text.h"
#include "mail/header_block.h"

namespace tessel::mail {
namespace {

constexpr std::size_t kLongestCharsetName = 64;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct EncodedWord {
  std::size_t end = 0;  // just past its "?="
  std::string charset;  // as declared, without an RFC 2231 language
  std::string bytes;    // decoded
  bool knownCharset = false;
  Charset decoded;
};

// Where the parts of the encoded word at `at` lie; false when none starts there.
// `noEndFrom` remembers where no "?=" follows, so a header of many "=?" stays linear.
bool FindEncodedWord(std::string_view text, std::size_t at, std::size_t& noEndFrom, std::size_t& charsetEnd,
                     std::size_t& close) {
  if (text.substr(at, 2) != "=?") return false;
  std::size_t i = at + 2;
  const std::size_t charsetStart = i;
  while (i < text.size() && text[i] != '?' && !IsWhitespace(text[i]) && i - charsetStart <= kLongestCharsetName) ++i;
  if (i == charsetStart || i + 3 > text.size() || text[i] != '?' || text[i + 2] != '?') return false;
  const char encoding = text[i + 1];
  if (encoding != 'Q' && encoding != 'q' && encoding != 'B' && encoding != 'b') return false;
  const std::size_t payloadStart = i + 3;
  if (payloadStart >= noEndFrom) return false;
  close = text.find("?=", payloadStart);
  if (close == std::string_view::npos) {
    noEndFrom = payloadStart;
    return false;
  }
  charsetEnd = i;
  return true;
}

// The encoded word that starts at `at` (at "=?"), if one does.
std::optional<EncodedWord> ReadEncodedWord(std::string_view text, std::size_t at, std::size_t& noEndFrom) {
  std::size_t i = 0, close = 0;
  if (!FindEncodedWord(text, at, noEndFrom, i, close)) return std::nullopt;
  const std::size_t charsetStart = at + 2;
  const char encoding = text[i + 1];
  const std::size_t payloadStart = i + 3;
  EncodedWord word;
  word.end = close + 2;
  std::string_view charset = text.substr(charsetStart, i - charsetStart);
  charset = charset.substr(0, charset.find('*'));  // "utf-8*en"
  word.charset = std::string(charset);
  word.knownCharset = FindCharset(charset, word.decoded);
  const std::string_view payload = text.substr(payloadStart, close - payloadStart);
  word.bytes = encoding == 'Q' || encoding == 'q' ? DecodeQuotedPrintable(payload, true) : DecodeBase64(payload);
  return word;
}

bool OnlyWhitespace(std::string_view text) {
  for (const char c : text) {
    if (!IsWhitespace(c)) return false;
  }
  return true;
}

}  // namespace

std::size_t EncodedWordEnd(std::string_view text, std::size_t at, std::size_t& noEndFrom) {
  std::size_t charsetEnd = 0, close = 0;
  return FindEncodedWord(text, at, noEndFrom, charsetEnd, close) ? close + 2 : 0;
}

std::string DecodeQuotedPrintable(std::string_view text, bool underscoreIsSpace) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '_' && underscoreIsSpace) {
      out += ' ';
    } else if (c == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else if (c == '=' && i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) {
      // A soft line break.
      i += text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n' ? 2 : 1;
    } else {
      out += c;  // a stray "=" stays
    }
  }
  return out;
}

std::string DecodeBase64(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    if (c == '=') break;
    const int value = Base64Value(c);
    if (value < 0) continue;
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

std::string DecodeHeaderText(std::string_view raw, const Charset* fallback, CharsetPort& port) {
  std::string out;
  out.reserve(raw.size());
  std::size_t noEndFrom = std::string_view::npos;
  // Adjacent words of one charset are decoded together: encoders cut a
  // multi-byte character between them.
  std::string pending;
  Charset pendingCharset;
  bool pendingKnown = false;
  std::string pendingName;
  const auto flush = [&] {
    if (pending.empty()) return;
    if (pendingKnown) {
      AppendInCharset(out, pending, pendingCharset, port);
    } else {
      AppendUndeclared(out, pending, fallback, port);
    }
    pending.clear();
  };
  std::size_t plainStart = 0;
  bool afterWord = false;
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t at = raw.find("=?", i);
    if (at == std::string_view::npos) break;
    std::optional<EncodedWord> word = ReadEncodedWord(raw, at, noEndFrom);
    if (!word) {
      i = at + 1;
      continue;
    }
    const std::string_view between = raw.substr(plainStart, at - plainStart);
    if (!(afterWord && OnlyWhitespace(between))) {
      flush();
      AppendUndeclared(out, between, fallback, port);
    }
    if (!pending.empty() && !EqualsIgnoringCase(pendingName, word->charset)) flush();
    pendingName = word->charset;
    pendingCharset = word->decoded;
    pendingKnown = word->knownCharset;
    pending += word->bytes;
    afterWord = true;
    plainStart = i = word->end;
  }
  flush();
  AppendUndeclared(out, raw.substr(plainStart), fallback, port);
  return out;
}

}  // namespace tessel::mail
