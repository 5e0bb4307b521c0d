#include "engine/row_stream_list.h"

namespace tessel {

int RowStreamList::AppendRow(const std::string& firstCell) {
  Finish();
  for (std::string& cell : last_) cell.clear();
  if (last_.empty()) last_.emplace_back();
  last_[0] = firstCell;
  cellCount_ = 1;
  pending_ = true;
  return rowCount_++;
}

void RowStreamList::SetCell(int row, int column, std::string_view text) {
  if (!IsPending(row) || column < 0) return;
  if (static_cast<std::size_t>(column) >= last_.size()) last_.resize(column + 1);
  if (static_cast<std::size_t>(column) >= cellCount_) cellCount_ = column + 1;
  last_[column].assign(text);
}

std::string RowStreamList::GetCell(int row, int column) const {
  if (!IsPending(row) || column < 0 || static_cast<std::size_t>(column) >= cellCount_) return {};
  return last_[column];
}

void RowStreamList::DeleteRow(int row) {
  if (!IsPending(row)) return;
  pending_ = false;
  --rowCount_;
}

void RowStreamList::Finish() {
  if (pending_ && sink_) {
    last_.resize(cellCount_);  // rows of one scan have the same width: rarely shrinks
    sink_(last_);
  }
  pending_ = false;
}

}  // namespace tessel
