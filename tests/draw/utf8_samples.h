#pragma once
// UTF-8 texts with the number of UTF-16 code units that Windows' conversion
// makes of each (bytes that form no character become U+FFFD). The software
// surface's cells are checked against these counts natively, and the counts
// against the real conversion under Wine.
#include <string_view>

namespace tessel {

struct Utf8Sample {
  std::string_view text;
  int utf16Units;
};

inline constexpr Utf8Sample kUtf8Samples[] = {
    {"a ©•™", 5},
    {"😀!", 3},                            // a surrogate pair
    {"\x95\xA9!", 3},                     // continuation bytes alone: one each
    {"\xE2\x84!", 2},                     // a character cut short: one
    {"\xE2\x84\xE2\x84\xA2", 2},          // cut short before a whole one
    {"!\xF0\x9F\x98", 2},                 // cut short at the end
    {"\xC0\x80\xC1\xF5\xFF", 5},          // bytes that start nothing
    {"\xE0\x80\x80", 2},                  // overlong: the lead with its second byte, then the third
    {"\xED\xA0\x80", 2},                  // a surrogate
    {"\xF4\x90\x80\x80", 3},              // above U+10FFFF
    {"\xF0\x90\x80\x80\xEF\xBF\xBF", 3},  // the first character above U+FFFF, and U+FFFF
};

}  // namespace tessel
