#include "richtext/html_word_wrap.h"

namespace tessel {
namespace {

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view TrimLeadingSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

}  // namespace

WrapSplit SplitForWrap(std::string_view piece, int freeWidth, bool lineIsEmpty,
                       const std::function<int(std::string_view)>& measure) {
  WrapSplit split;
  // Heads grow with their length, so the first break position that does not
  // fit ends the search.
  std::size_t best = 0;
  for (std::size_t i = 0; i < piece.size(); ++i) {
    if (kWrapBreakCharacters.find(piece[i]) == std::string_view::npos) continue;
    if (measure(TrimTrailingSpaces(piece.substr(0, i + 1))) > freeWidth) break;
    best = i + 1;
  }
  if (best > 0) {
    split.taken = true;
    split.head = std::string(TrimTrailingSpaces(piece.substr(0, best)));
    split.rest = std::string(TrimLeadingSpaces(piece.substr(best)));
    return split;
  }
  if (!lineIsEmpty) return split;
  std::size_t length = 1;
  while (length < piece.size() && measure(piece.substr(0, length + 1)) <= freeWidth) ++length;
  split.taken = true;
  split.head = std::string(piece.substr(0, length));
  split.rest = std::string(piece.substr(length));
  return split;
}

}  // namespace tessel
