// Rows as the command line hands them on: the cells of one list row
// (tessel::CellRow), in the list's column order.
#pragma once

#include <cstddef>

#include "engine/cell_row.h"
#include "engine/contact_row.h"
#include "engine/message_row.h"

namespace tessel::cli {

enum class ScanMode { kMessageStore, kAddressBook };

inline int CellCount(ScanMode mode) { return mode == ScanMode::kAddressBook ? kContactCellCount : kMessageCellCount; }

// `row` with at least the mode's cells, those the scan did not give empty: a
// copy only when it is short (a torn last contact, a row of a damaged store).
const CellRow& Padded(const CellRow& row, ScanMode mode, CellRow& widened);

}  // namespace tessel::cli
