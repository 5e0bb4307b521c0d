#include "engine/memory_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tessel {
namespace {
const std::vector<std::string> kNoRow;
}

std::vector<std::string> MemoryList::NewRow(const std::string& firstCell) const {
  // Rows of one scan are alike: room for as many cells as the widest so far,
  // so that filling a row does not move its cells again and again.
  std::vector<std::string> cells;
  cells.reserve(std::max<std::size_t>(width_, 1));
  cells.push_back(firstCell);
  return cells;
}

int MemoryList::AppendRow(const std::string& firstCell) {
  rows_.push_back(NewRow(firstCell));
  return RowCount() - 1;
}

void MemoryList::InsertRowAtTop(const std::string& firstCell) { top_.push_back(NewRow(firstCell)); }

std::vector<std::string>* MemoryList::Find(int row) {
  if (row < 0) return nullptr;
  // The rows at the top first: the address book walk fills row 0, once a cell.
  const auto index = static_cast<std::size_t>(row);
  if (index < top_.size()) return &top_[top_.size() - 1 - index];
  return index - top_.size() < rows_.size() ? &rows_[index - top_.size()] : nullptr;
}

void MemoryList::SetCell(int row, int column, std::string_view text) {
  std::vector<std::string>* cells = Find(row);
  if (cells == nullptr || column < 0) return;
  if (static_cast<std::size_t>(column) >= cells->size()) {
    // Within the room NewRow reserved: no call out of line, as resize made, for
    // each of a contact's cells.
    while (cells->size() <= static_cast<std::size_t>(column)) cells->emplace_back();
    width_ = std::max(width_, cells->size());
  }
  (*cells)[column].assign(text);
}

std::string MemoryList::GetCell(int row, int column) const {
  const std::vector<std::string>& cells = Row(row);
  if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) return {};
  return cells[column];
}

void MemoryList::DeleteRow(int row) {
  if (row == 0 && !top_.empty()) return top_.pop_back();
  if (row < 0 || row >= RowCount()) return;
  Settle();
  rows_.erase(rows_.begin() + row);
}

const std::vector<std::string>& MemoryList::Row(int row) const {
  const std::vector<std::string>* cells = const_cast<MemoryList*>(this)->Find(row);
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

const std::vector<std::vector<std::string>>& MemoryList::Rows() const {
  Settle();
  return rows_;
}

std::vector<std::vector<std::string>> MemoryList::TakeRows() {
  Settle();
  return std::exchange(rows_, {});
}

}  // namespace tessel
