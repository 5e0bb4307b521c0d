// The table for people: fixed, aligned columns, long cells cut with "...",
// control characters shown as spaces, text decoded for the terminal.
#pragma once

#include <string>
#include <string_view>

#include "cli/rows.h"

namespace tessel::cli {

enum class Align { kLeft, kRight };

// Appends `bytes` as a table cell of exactly `width` characters (a right-aligned
// cell that is too long, such as a large offset, is kept whole instead of cut).
void AppendTableCell(std::string& out, std::string_view bytes, size_t width, Align align);

// The heading line of the table, and one row; `number` counts from 1.
std::string TableHeading(ScanMode mode);
void AppendTableRow(std::string& out, ScanMode mode, int number, const Row& cells);

}  // namespace tessel::cli
