#include "engine/message_row.h"

#include <limits>

namespace tessel {

std::string FormatDecimalCell(std::int64_t value) { return std::to_string(value); }

std::int64_t ParseDecimalCell(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate towards the negative side, which holds one more value.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value < (kMin + digit) / 10) {
      value = kMin;
      break;
    }
    value = value * 10 - digit;
  }
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

MessageRecord RecordOfRow(const RecoveredList& list, int row) {
  return MessageRecord{ParseDecimalCell(list.GetCell(row, kOffsetCell)),
                       ParseDecimalCell(list.GetCell(row, kLengthCell))};
}

}  // namespace tessel
