#include "engine/cell_row.h"

#include <cstring>

namespace tessel {

CellRow::CellRow(std::span<const std::string_view> cells) {
  std::size_t total = 0;
  for (const std::string_view cell : cells) total += cell.size();
  // Sized once and filled in place: appending cell by cell cost more than
  // cutting the cells out of an address book's block.
  text_.resize(total);
  ends_.resize(cells.size());
  std::size_t end = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!cells[i].empty()) std::memcpy(text_.data() + end, cells[i].data(), cells[i].size());
    end += cells[i].size();
    ends_[i] = end;
  }
}

void CellRow::Set(std::size_t column, std::string_view text) {
  if (column >= ends_.size()) {
    // The usual case: cells set in column order, each appended to the text.
    ends_.resize(column, text_.size());
    text_.append(text);
    ends_.push_back(text_.size());
    return;
  }
  const std::size_t begin = column == 0 ? 0 : ends_[column - 1];
  const std::size_t old = ends_[column] - begin;
  text_.replace(begin, old, text);
  for (std::size_t i = column; i < ends_.size(); ++i) ends_[i] = ends_[i] - old + text.size();
}

void CellRow::Widen(std::size_t count) {
  if (ends_.size() < count) ends_.resize(count, text_.size());
}

void CellRow::Reserve(std::size_t cells, std::size_t text) {
  ends_.reserve(cells);
  text_.reserve(text);
}

}  // namespace tessel
