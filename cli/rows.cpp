#include "cli/rows.h"

namespace tessel::cli {

const CellRow& Padded(const CellRow& row, ScanMode mode, CellRow& widened) {
  const auto count = static_cast<std::size_t>(CellCount(mode));
  if (row.size() >= count) return row;
  widened = row;
  widened.Widen(count);
  return widened;
}

}  // namespace tessel::cli
