// A row's cells as the list and tessel's exact formats show them, made at the
// edge from the typed row: From, Subject, To and Date as stored, the record's
// offset and length in decimal, then in a deep scan where the row came from,
// and "unreadable" when the record holds bytes that could not be read (after
// an empty origin cell in a usual scan).
#pragma once

#include <string>
#include <string_view>

#include "engine/cell_row.h"
#include "engine/message_row.h"
#include "recovery/scan_mode.h"

namespace tessel::recovery {

enum ListCell : int {
  kOffsetCell = 4,  // hidden in the wizard's list
  kLengthCell = 5,  // hidden in the wizard's list
  kOriginCell = 6,  // a deep scan's origin
  kUnreadableCell = 7,
};
constexpr int kMessageCellCount = 6;  // the header cells, offset and length

constexpr std::string_view kUnreadableMark = "unreadable";

// "index", "store" or "unclaimed".
std::string_view OriginName(Origin origin);

// The row's cells, into `cells` (its storage reused).
void MessageCells(const MessageRow& row, ScanMode mode, CellRow& cells);
// One of them; empty past the row's last.
std::string MessageCell(const MessageRow& row, ScanMode mode, int column);

}  // namespace tessel::recovery
