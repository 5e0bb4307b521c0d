#include "engine/memory_list.h"

namespace tessel {
namespace {
const std::vector<std::string> kNoRow;
}

int MemoryList::AppendRow(const std::string& firstCell) {
  rows_.push_back({firstCell});
  return RowCount() - 1;
}

void MemoryList::InsertRowAtTop(const std::string& firstCell) {
  rows_.insert(rows_.begin(), std::vector<std::string>{firstCell});
}

void MemoryList::SetCell(int row, int column, const std::string& text) {
  if (row < 0 || row >= RowCount() || column < 0) return;
  std::vector<std::string>& cells = rows_[row];
  if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1);
  cells[column] = text;
}

std::string MemoryList::GetCell(int row, int column) const {
  const std::vector<std::string>& cells = Row(row);
  if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) return {};
  return cells[column];
}

void MemoryList::DeleteRow(int row) {
  if (row >= 0 && row < RowCount()) rows_.erase(rows_.begin() + row);
}

const std::vector<std::string>& MemoryList::Row(int row) const {
  return row >= 0 && row < RowCount() ? rows_[row] : kNoRow;
}

}  // namespace tessel
