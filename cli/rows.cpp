#include "cli/rows.h"

#include <algorithm>

namespace tessel::cli {

void ContactCells(const CellRow& row, Row& cells) {
  cells.resize(std::max(row.size(), static_cast<size_t>(kContactCellCount)));
  for (size_t i = 0; i < cells.size(); ++i) cells[i].assign(row.cell(i));
}

}  // namespace tessel::cli
