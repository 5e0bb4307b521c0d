#pragma once
// Lengths of the rich text ("12px", "10pt", "65%", "2em", "0x10", the font
// sizes 1 to 7) and the integer readers they share with colours.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessel {

// Largest length the drawer works with; larger values are cut to it so that
// sums of lengths cannot overflow.
constexpr int kMaxHtmlLength = 32767;

// What units other than pixels are measured against.
struct LengthBasis {
  int pixelsPerInch = 96;  // vertical, of the device drawn on
  int textHeight = 16;     // height of the current font
  int xHeight = 8;         // height of the letter x in the current font
};

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// A C integer literal at the start of the text (decimal, 0x hexadecimal, 0
// octal); nullopt when no digit is there. Saturates at 0xFFFFFFFF.
std::optional<std::uint32_t> ReadCInteger(std::string_view text);
// Decimal digits at the start of the text; nullopt when there are none.
std::optional<std::uint32_t> ReadDecimal(std::string_view text);

// Reads a length against a base value. In font-size mode the bare numbers 1
// to 7 are the classic font sizes 8 to 36 pixels. Unreadable text keeps the base.
int ParseLength(std::string_view text, int base, const LengthBasis& basis, bool fontSizeMode = false);

}  // namespace tessel
