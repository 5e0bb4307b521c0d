// How many columns a terminal gives a text: wide East Asian characters and
// emoji take two, combining marks and zero-width characters none, the rest one.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessel::cli {

// Columns of one code point.
int CodePointWidth(char32_t point);

// Columns of a UTF-8 text (bytes that are not UTF-8 count one each).
std::size_t DisplayWidth(std::string_view utf8);

// The longest start of `utf8` that takes at most `columns` columns, cut
// between characters (a combining mark stays with its base).
std::string_view DisplayPrefix(std::string_view utf8, std::size_t columns);

}  // namespace tessel::cli
