// Rows as the command line hands them on: the cells of one list row, in the
// list's column order.
#pragma once

#include <string>
#include <vector>

#include "engine/address_book_scan.h"
#include "engine/memory_list.h"
#include "engine/message_row.h"

namespace tessel::cli {

using Row = std::vector<std::string>;

enum class ScanMode { kMessageStore, kAddressBook };

inline int CellCount(ScanMode mode) { return mode == ScanMode::kAddressBook ? kContactCellCount : kMessageCellCount; }

// A contact of the list as the table and json take it: every contact cell,
// those the book did not give empty. Fills `cells`, whose strings serve row after row.
void ContactCells(const CellRow& row, Row& cells);

}  // namespace tessel::cli
