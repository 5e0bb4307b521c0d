#pragma once
// Reads UTF-8 text one character at a time, as the Windows surface's conversion
// to UTF-16 reads it (measured under Wine), so that the software surface counts
// the characters that GDI measures and draws. Bytes that form no character
// become U+FFFD: a byte that cannot start a character is one on its own; a lead
// byte with the continuation bytes that follow it, up to the first that does
// not fit, is one. A continuation byte outside the range its lead byte allows
// (an overlong form, a surrogate, a value above U+10FFFF) is taken with the
// lead byte into that one. (Wine also drops the plain characters that follow a
// lead byte when the text ends before its character would; those are kept.)
#include <cstddef>
#include <string_view>

namespace tessel {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Utf8Character {
  char32_t codePoint = kReplacementCharacter;
  std::size_t length = 1;  // bytes taken from the text, at least 1
};

// The character at the start of `text`, which must not be empty.
Utf8Character ReadUtf8Character(std::string_view text);

// UTF-16 code units of a character: GDI measures and draws each half of a
// surrogate pair as a glyph of its own.
inline int Utf16Units(char32_t codePoint) { return codePoint > 0xFFFF ? 2 : 1; }

}  // namespace tessel
