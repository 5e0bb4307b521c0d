#pragma once
// Word wrap of one text piece against the free width of a line.
#include <cstddef>
#include <functional>
#include <string_view>

namespace tessel {

// A head may end just after any of these.
constexpr std::string_view kWrapBreakCharacters = " -.,!:;)}]?";

using MeasureWidth = std::function<int(std::string_view)>;

// The length of the longest prefix of `piece` whose width is at most
// `freeWidth`. Widths grow with the prefix, so only prefixes up to about twice
// that length are measured, however long the piece.
std::size_t FitLength(std::string_view piece, int freeWidth, const MeasureWidth& measure);

struct WrapSplit {
  bool taken = false;          // false: nothing fits a non-empty line; the piece starts the next one
  std::size_t headLength = 0;  // the head is piece[0, headLength), trailing spaces removed
  std::size_t restStart = 0;   // the rest is piece[restStart, end), leading spaces removed
};

// The longest head ending at a break position that fits (`fitLength` as
// FitLength gives it); on an empty line, failing that, the longest head of
// whole characters that fits, at least one (a UTF-8 character's bytes stay
// together).
WrapSplit SplitForWrap(std::string_view piece, std::size_t fitLength, bool lineIsEmpty);

}  // namespace tessel
