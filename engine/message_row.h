// The cells of a message row and the record they carry. Offsets and lengths are
// 64-bit throughout, in the cells too, so that stores over 2 GiB keep working.
#pragma once

#include <cstdint>
#include <string>

#include "engine/recovered_list.h"

namespace tessel {

enum MessageCell : int {
  kFromCell = 0,
  kSubjectCell = 1,
  kToCell = 2,
  kDateCell = 3,
  kOffsetCell = 4,  // hidden: the record's offset in the store, decimal
  kLengthCell = 5,  // hidden: the record's length in bytes, decimal
  kMessageCellCount = 6,
};

// A message's bytes in the store: [offset, offset + length).
struct MessageRecord {
  std::int64_t offset = 0;
  std::int64_t length = 0;
};

std::string FormatDecimalCell(std::int64_t value);
// atoi-style: leading blanks, an optional sign, then digits up to the first
// other character; 0 when there are none; clamps instead of overflowing.
std::int64_t ParseDecimalCell(const std::string& text);
// The record named by a message row's hidden cells 4 and 5.
MessageRecord RecordOfRow(const RecoveredList& list, int row);

}  // namespace tessel
