#include "engine/header_block.h"

#include "engine/byte_search.h"
#include "engine/header_line.h"

namespace tessel {
namespace {}  // namespace

std::int64_t HeaderBlockStart(std::string_view before, std::int64_t bytesBegin, std::int64_t boundary,
                              std::int64_t limit, std::vector<std::int64_t>* nameColons) {
  if (nameColons != nullptr) nameColons->clear();
  // Never look at bytes we were not given: a line at `limit` needs the byte before
  // it, and a short read (a file cut meanwhile) leaves no look back at all.
  if (static_cast<std::int64_t>(before.size()) != boundary - bytesBegin) return boundary;
  if (bytesBegin > 0 && limit < bytesBegin + 1) limit = bytesBegin + 1;
  if (limit < 0) limit = 0;
  auto at = [&](std::int64_t position) { return before[static_cast<std::size_t>(position - bytesBegin)]; };
  const std::int64_t lowestLineFeed = limit > 0 ? limit - 1 : 0;
  std::int64_t start = boundary;
  for (;;) {
    // The line before `start` must end in CR LF, within the limit.
    if (start - 2 < limit || at(start - 1) != '\n' || at(start - 2) != '\r') return start;
    const std::size_t searched = static_cast<std::size_t>(lowestLineFeed - bytesBegin);
    const std::size_t lineFeed = FindLastByte(
        std::string_view(before.data() + searched, static_cast<std::size_t>(start - 2 - lowestLineFeed)), '\n');
    if (lineFeed == std::string_view::npos && limit > 0) return start;  // the line opens before the limit
    // Without a LF before it, the line is the store's first.
    const std::int64_t lineBegin =
        lineFeed == std::string_view::npos ? 0 : bytesBegin + static_cast<std::int64_t>(searched + lineFeed) + 1;
    const std::string_view line = before.substr(static_cast<std::size_t>(lineBegin - bytesBegin),
                                                static_cast<std::size_t>(start - 2 - lineBegin));
    const std::size_t nameColon = FieldNameColon(line);
    if (nameColon == std::string_view::npos && !IsContinuationLine(line)) return start;
    if (nameColon != std::string_view::npos && nameColons != nullptr)
      nameColons->push_back(lineBegin + static_cast<std::int64_t>(nameColon));
    start = lineBegin;
  }
}

}  // namespace tessel
