// Where a message found by its "MIME-Version: 1." line really starts: mail puts
// From, To, Subject and Date before that line, so the record begins at the first
// line of the header block that holds it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/window_protocol.h"

namespace tessel {

// How far back the header block of a boundary may reach: no further than the
// text read for a raw message's fields, so every field name the walk back
// notes lies in that text.
constexpr std::int64_t kHeaderWalkBackLimit = kRawTextCap;

// Walks back from `boundary` over the CR LF-ended lines before it while each is
// a header line ("Name:" with a name of printable ASCII other than ":" and
// space) or a continuation line (starting with a space or a tab). Never goes
// before `limit` (the start of the store, the end of the previous boundary text,
// or kHeaderWalkBackLimit bytes back); a line counts only when it starts at the store's start
// or right after a LF. `before` holds the bytes [bytesBegin, boundary), where
// bytesBegin <= max(limit - 1, 0). Returns the header block's first byte.
//
// When `nameColons` is given, it is set to the position of the colon that ends
// the name of each header line of the block, last line first: a field name can
// only stand there, so the block need not be searched again for its names.
std::int64_t HeaderBlockStart(std::string_view before, std::int64_t bytesBegin, std::int64_t boundary,
                              std::int64_t limit, std::vector<std::int64_t>* nameColons = nullptr);

}  // namespace tessel
