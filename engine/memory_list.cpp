#include "engine/memory_list.h"

#include <algorithm>
#include <cstring>
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
  cells.ends_.reserve(std::max<std::size_t>(width_, 1));
  cells.text_.reserve(std::max(lastText_, firstCell.size()));
  cells.text_ = firstCell;
  cells.ends_.push_back(firstCell.size());
  return cells;
}

int MemoryList::AppendRow(const std::string& firstCell) {
  rows_.push_back(NewRow(firstCell));
  return RowCount() - 1;
}

void MemoryList::InsertRowAtTop(const std::string& firstCell) { top_.push_back(NewRow(firstCell)); }

void MemoryList::InsertFilledRowAtTop(std::span<const std::string_view> cells) {
  CellRow& row = top_.emplace_back();
  std::size_t total = 0;
  for (const std::string_view cell : cells) total += cell.size();
  // Sized once and filled in place: appending cell by cell cost more than
  // cutting the cells out of the file.
  row.text_.resize(total);
  row.ends_.resize(cells.size());
  std::size_t end = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!cells[i].empty()) std::memcpy(row.text_.data() + end, cells[i].data(), cells[i].size());
    end += cells[i].size();
    row.ends_[i] = end;
  }
  width_ = std::max(width_, cells.size());
  lastText_ = total;
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
  std::string& all = cells->text_;
  std::vector<std::size_t>& ends = cells->ends_;
  const auto at = static_cast<std::size_t>(column);
  if (at >= ends.size()) {
    // The usual case: cells set in column order, each appended to the text.
    ends.resize(at, all.size());
    all.append(text);
    ends.push_back(all.size());
    width_ = std::max(width_, ends.size());
  } else {
    const std::size_t begin = at == 0 ? 0 : ends[at - 1];
    const std::size_t old = ends[at] - begin;
    all.replace(begin, old, text);
    for (std::size_t i = at; i < ends.size(); ++i) ends[i] = ends[i] - old + text.size();
  }
  lastText_ = all.size();
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
