// A message as a scan hands it on: where its bytes lie in the store (as
// numbers, from the engine to the last writer), where it was found, what of it
// could not be read, and its header cells as stored. Offsets and lengths are
// 64-bit, so that stores over 2 GiB keep working.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/cell_row.h"
#include "engine/unreadable_range.h"

namespace tessel {

// A message's bytes in the store: [offset, offset + length).
struct MessageRecord {
  std::int64_t offset = 0;
  std::int64_t length = 0;
  std::int64_t End() const { return offset + length; }
  friend bool operator==(const MessageRecord&, const MessageRecord&) = default;
};

// Where a row's record came from.
enum class Origin : std::uint8_t {
  kIndex,      // an entry of the index gives it
  kStore,      // found by searching the store's bytes: deleted, never indexed, or the index is no guide
  kUnclaimed,  // bytes no message claims (the deep scan lists them so that its rows tile the store)
};

// The header cells, in the list's column order.
enum MessageCell : int {
  kFromCell = 0,
  kSubjectCell = 1,
  kToCell = 2,
  kDateCell = 3,
  kHeaderCellCount = 4,
};

struct MessageRow {
  MessageRecord record;
  Origin origin = Origin::kIndex;
  // Bytes of the record the scan could not read, in store order; empty for
  // most rows (an empty vector holds no memory).
  std::vector<UnreadableRange> unreadable;
  // From, Subject, To and Date as the header field rules cut them from the
  // stored bytes: bytes, not text of any encoding.
  CellRow cells;
};

}  // namespace tessel
