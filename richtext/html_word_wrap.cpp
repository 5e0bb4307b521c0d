#include "richtext/html_word_wrap.h"

#include <algorithm>

namespace tessel {
namespace {

// The second to fourth bytes of a UTF-8 character (a path in a notice, say),
// which a break must not separate from the first.
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t FitLength(std::string_view piece, int freeWidth, const MeasureWidth& measure) {
  if (piece.empty() || measure(piece.substr(0, 1)) > freeWidth) return 0;
  // Gallop to a length that does not fit, then halve the interval.
  std::size_t fits = 1;
  std::size_t tooLong = piece.size() + 1;
  for (std::size_t length = 2; length <= piece.size(); length *= 2) {
    if (measure(piece.substr(0, length)) > freeWidth) {
      tooLong = length;
      break;
    }
    fits = length;
  }
  if (tooLong == piece.size() + 1) {
    if (measure(piece) <= freeWidth) return piece.size();
    tooLong = piece.size();
  }
  while (tooLong - fits > 1) {
    std::size_t middle = fits + (tooLong - fits) / 2;
    (measure(piece.substr(0, middle)) <= freeWidth ? fits : tooLong) = middle;
  }
  return fits;
}

WrapSplit SplitForWrap(std::string_view piece, std::size_t fitLength, bool lineIsEmpty) {
  WrapSplit split;
  std::size_t trimmed = 0;  // length of the head without its trailing spaces
  for (std::size_t i = 0; i < piece.size(); ++i) {
    if (piece[i] != ' ') trimmed = i + 1;
    if (trimmed > fitLength) break;  // heads only grow from here
    if (kWrapBreakCharacters.find(piece[i]) == std::string_view::npos) continue;
    split.taken = true;
    split.headLength = trimmed;
    split.restStart = i + 1;
  }
  if (split.taken) {
    while (split.restStart < piece.size() && piece[split.restStart] == ' ') ++split.restStart;
    return split;
  }
  if (!lineIsEmpty) return split;
  std::size_t head = std::max<std::size_t>(fitLength, 1);
  while (head > 1 && head < piece.size() && IsContinuationByte(piece[head])) --head;
  while (head < piece.size() && IsContinuationByte(piece[head])) ++head;  // at least one whole character
  split.taken = true;
  split.headLength = split.restStart = head;
  return split;
}

}  // namespace tessel
