#pragma once
// Word wrap of one text piece against the free width of a line.
#include <functional>
#include <string>
#include <string_view>

namespace tessel {

// A head may end just after any of these.
constexpr std::string_view kWrapBreakCharacters = " -.,!:;)}]?";

struct WrapSplit {
  bool taken = false;  // false: nothing fits a non-empty line; the piece starts the next one
  std::string head;    // trailing spaces removed
  std::string rest;    // leading spaces removed (after a break position)
};

// The longest head ending at a break position that fits `freeWidth`; on an
// empty line, failing that, the longest head of whole characters that fits
// (at least one). `measure` gives a text's width in the current font.
WrapSplit SplitForWrap(std::string_view piece, int freeWidth, bool lineIsEmpty,
                       const std::function<int(std::string_view)>& measure);

}  // namespace tessel
