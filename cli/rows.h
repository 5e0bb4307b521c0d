// Rows as the command line prints them: cells made at the edge from the typed
// rows, in the list's column order.
#pragma once

#include <string>

#include "engine/cell_row.h"
#include "engine/contact_row.h"
#include "engine/message_row.h"
#include "recovery/row_cells.h"
#include "recovery/scan_mode.h"

namespace tessel::cli {

inline int CellCount(ScanMode mode) {
  return mode == ScanMode::kAddressBook ? kContactCellCount : recovery::kMessageCellCount;
}

// What the table's row number is followed by: "*" for a deep scan's row found
// only in the store, "?" for bytes no message claims, "!" for a record that
// holds bytes that could not be read.
std::string RowMarks(const MessageRow& row, ScanMode mode);

}  // namespace tessel::cli
