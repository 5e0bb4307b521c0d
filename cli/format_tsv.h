// Tab-separated rows, exact: every byte of a cell is kept; only the bytes that
// would break the line structure are written as escapes.
#pragma once

#include <string>
#include <string_view>

#include "cli/rows.h"

namespace tessel::cli {

// Appends `cell` with backslash as \\, TAB as \t, LF as \n and CR as \r.
void AppendTsvEscaped(std::string& out, std::string_view cell);

// Appends the cells joined by TAB and a LF.
void AppendTsvLine(std::string& out, const CellRow& cells);

}  // namespace tessel::cli
