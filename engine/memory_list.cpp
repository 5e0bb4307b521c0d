#include "engine/memory_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tessel {
namespace {
const CellRow kNoRow;
}

CellRow MemoryList::NewRow(const std::string& firstCell) const {
  // Rows of one scan are alike: room for as many cells and about as much text
  // as the row before, so that filling a row does not move it again and again.
  CellRow cells;
  cells.Reserve(std::max<std::size_t>(width_, 1), std::max(lastText_, firstCell.size()));
  cells.Set(0, firstCell);
  return cells;
}

int MemoryList::AppendRow(const std::string& firstCell) {
  rows_.push_back(NewRow(firstCell));
  return RowCount() - 1;
}

void MemoryList::InsertRowAtTop(const std::string& firstCell) { top_.push_back(NewRow(firstCell)); }

void MemoryList::InsertFilledRowAtTop(std::span<const std::string_view> cells) {
  const CellRow& row = top_.emplace_back(cells);
  width_ = std::max(width_, cells.size());
  lastText_ = row.TextSize();
}

CellRow* MemoryList::Find(int row) {
  if (row < 0) return nullptr;
  // The rows at the top first: the address book walk reads back row 0, the one it inserted last.
  const auto index = static_cast<std::size_t>(row);
  if (index < top_.size()) return &top_[top_.size() - 1 - index];
  return index - top_.size() < rows_.size() ? &rows_[index - top_.size()] : nullptr;
}

void MemoryList::SetCell(int row, int column, std::string_view text) {
  CellRow* cells = Find(row);
  if (cells == nullptr || column < 0) return;
  cells->Set(static_cast<std::size_t>(column), text);
  width_ = std::max(width_, cells->size());
  lastText_ = cells->TextSize();
}

std::string MemoryList::GetCell(int row, int column) const {
  if (column < 0) return {};
  return std::string(Row(row).cell(static_cast<std::size_t>(column)));
}

void MemoryList::DeleteRow(int row) {
  if (row == 0 && !top_.empty()) return top_.pop_back();
  if (row < 0 || row >= RowCount()) return;
  Settle();
  rows_.erase(rows_.begin() + row);
}

const CellRow& MemoryList::Row(int row) const {
  const CellRow* cells = const_cast<MemoryList*>(this)->Find(row);
  return cells != nullptr ? *cells : kNoRow;
}

void MemoryList::Settle() const {
  if (top_.empty()) return;
  // Moved, not copied: the cells' text is never held twice.
  std::reverse(top_.begin(), top_.end());
  top_.insert(top_.end(), std::make_move_iterator(rows_.begin()), std::make_move_iterator(rows_.end()));
  rows_ = std::move(top_);
  top_.clear();
}

const std::vector<CellRow>& MemoryList::Rows() const {
  Settle();
  return rows_;
}

std::vector<CellRow> MemoryList::TakeRows() {
  Settle();
  return std::exchange(rows_, {});
}

}  // namespace tessel
