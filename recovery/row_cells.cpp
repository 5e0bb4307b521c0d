#include "recovery/row_cells.h"

#include <charconv>
#include <cstdint>

namespace tessel::recovery {
namespace {

// Sets cell `column` to `value` in decimal, without a string of its own: rows
// are made by the hundred thousand.
void SetDecimal(CellRow& cells, int column, std::int64_t value) {
  char text[24];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  cells.Set(static_cast<std::size_t>(column), std::string_view(text, static_cast<std::size_t>(end.ptr - text)));
}

}  // namespace

std::string_view OriginName(Origin origin) {
  switch (origin) {
    case Origin::kIndex:
      return "index";
    case Origin::kStore:
      return "store";
    case Origin::kUnclaimed:
      return "unclaimed";
  }
  return {};
}

std::string MessageCell(const MessageRow& row, ScanMode mode, int column) {
  switch (column) {
    case kOffsetCell:
      return std::to_string(row.record.offset);
    case kLengthCell:
      return std::to_string(row.record.length);
    case kOriginCell:
      return mode == ScanMode::kDeep ? std::string(OriginName(row.origin)) : std::string();
    case kUnreadableCell:
      return row.unreadable.empty() ? std::string() : std::string(kUnreadableMark);
    default:
      return column >= 0 ? std::string(row.cells[static_cast<std::size_t>(column)]) : std::string();
  }
}

void MessageCells(const MessageRow& row, ScanMode mode, CellRow& cells) {
  cells = row.cells;  // copied into the storage `cells` has
  cells.Widen(kHeaderCellCount);
  SetDecimal(cells, kOffsetCell, row.record.offset);
  SetDecimal(cells, kLengthCell, row.record.length);
  if (mode == ScanMode::kDeep) cells.Set(kOriginCell, OriginName(row.origin));
  if (!row.unreadable.empty()) cells.Set(kUnreadableCell, kUnreadableMark);
}

}  // namespace tessel::recovery
