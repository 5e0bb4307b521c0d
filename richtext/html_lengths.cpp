#include "richtext/html_lengths.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tessel {
namespace {

constexpr std::uint64_t kSaturated = 0xFFFFFFFFu;  // digits beyond 32 bits stop here instead of wrapping

int ClampLength(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, kMaxHtmlLength)); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Digits of one radix from the start of the text, saturating.
std::optional<std::uint32_t> ReadDigits(std::string_view text, int radix) {
  std::uint64_t value = 0;
  std::size_t i = 0;
  for (; i < text.size() && DigitValue(text[i]) < radix; ++i)
    value = std::min<std::uint64_t>(value * static_cast<unsigned>(radix) + static_cast<unsigned>(DigitValue(text[i])),
                                    kSaturated);
  if (i == 0) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

// HTML font sizes 1 to 7, in pixels.
constexpr std::array<int, 7> kFontSizes = {8, 10, 12, 14, 18, 24, 36};

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t half = std::llabs(c) / 2;
  bool negative = (product < 0) != (c < 0);
  std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  std::int64_t result = negative ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<std::int64_t>(result, INT32_MIN, INT32_MAX));
}

std::optional<std::uint32_t> ReadDecimal(std::string_view text) { return ReadDigits(text, 10); }

std::optional<std::uint32_t> ReadCInteger(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (auto hex = ReadDigits(text.substr(2), 16)) return hex;
    return 0u;  // "0x" alone reads as the 0 before it
  }
  if (!text.empty() && text[0] == '0') return ReadDigits(text, 8);
  return ReadDigits(text, 10);
}

int ParseLength(std::string_view text, int base, const LengthBasis& basis, bool fontSizeMode) {
  if (text.empty()) return base;
  // Lengths are never relative and never negative: a sign is dropped.
  if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
  if (!text.empty() && text.back() == '%') {
    auto percent = ReadDecimal(text);
    if (!percent) return base;
    return ClampLength(MulDiv(base, static_cast<int>(std::min<std::uint32_t>(*percent, kMaxHtmlLength)), 100));
  }
  auto number = ReadDecimal(text);
  std::int64_t n = number ? std::min<std::uint32_t>(*number, kMaxHtmlLength) : 0;
  std::string_view unit = text.size() >= 2 ? text.substr(text.size() - 2) : std::string_view();
  std::int64_t perInch = n * basis.pixelsPerInch;
  if (number) {
    if (unit == "px") return ClampLength(n);
    if (unit == "ex") return ClampLength(n * basis.xHeight);
    if (unit == "em") return ClampLength(n * basis.textHeight);
    if (unit == "in") return ClampLength(perInch);
    if (unit == "cm") return ClampLength(static_cast<std::int64_t>(static_cast<double>(perInch) * 0.39370078740157477));
    if (unit == "mm") return ClampLength(static_cast<std::int64_t>(static_cast<double>(perInch) * 0.03937007874015748));
    if (unit == "pt") return ClampLength(perInch / 72);
    if (unit == "pc") return ClampLength(perInch / 6);
  }
  auto literal = ReadCInteger(text);
  if (!literal) return base;
  if (fontSizeMode && *literal >= 1 && *literal <= 7) return kFontSizes[*literal - 1];
  return ClampLength(static_cast<std::int64_t>(*literal));
}

}  // namespace tessel
