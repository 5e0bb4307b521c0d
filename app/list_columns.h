// The columns of the list of recovered items: one per cell of a message row
// (recovery/row_cells.h), the record's offset and length hidden at width 0,
// and one per contact cell (engine/contact_row.h).
#pragma once

#include <array>

#include "recovery/row_cells.h"

struct ListColumn {
  const char* heading;
  int width;  // pixels at 100%
};

inline constexpr std::array<ListColumn, tessel::recovery::kMessageCellCount> kMessageColumns = {
    {{"From", 170}, {"Subject", 170}, {"To", 170}, {"Date", 170}, {"", 0}, {"", 0}}};
inline constexpr int kContactColumnWidth = 150;
