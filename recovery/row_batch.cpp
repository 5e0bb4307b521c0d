#include "recovery/row_batch.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace tessel::recovery {

RowBatch::RowBatch(RowSink& sink, std::size_t largestBatch, std::chrono::milliseconds interval)
    : sink_(sink),
      largestBatch_(std::max<std::size_t>(largestBatch, 1)),
      interval_(interval),
      lastHandOver_(std::chrono::steady_clock::now()) {}

const CellRow* RowBatch::Last(int row) const {
  if (pending_.empty()) return nullptr;
  const int last = direction_ == Direction::kTop ? 0 : RowCount() - 1;
  assert(row == last && "only the row added last may still change");
  return row == last ? &pending_.back() : nullptr;
}

void RowBatch::HandOver(std::size_t count) {
  if (count == 0) return;
  // The rows handed over leave the batch; the one kept (if any) moves to the front.
  handing_.clear();
  if (count == pending_.size()) {
    handing_.swap(pending_);
  } else {
    handing_.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.begin() + count));
    pending_.erase(pending_.begin(), pending_.begin() + count);
  }
  if (direction_ == Direction::kAppend)
    sink_.AppendRows(handing_);
  else
    sink_.InsertRowsAtTop(handing_);
  handedOver_ += static_cast<int>(count);
  lastHandOver_ = std::chrono::steady_clock::now();
  // A sink that printed the rows left them whole: their memory serves the next ones.
  for (CellRow& row : handing_)
    if (spare_.size() < largestBatch_ && row.TextSize() > 0) spare_.push_back(std::move(row));
  handing_.clear();
}

void RowBatch::BeforeAdding(Direction direction) {
  if (direction != direction_) {
    Flush();
    direction_ = direction;
    return;
  }
  // Every kept row is final once another comes.
  if (pending_.size() >= largestBatch_ ||
      (!pending_.empty() && std::chrono::steady_clock::now() - lastHandOver_ >= interval_))
    HandOver(pending_.size());
}

void RowBatch::Flush() { HandOver(pending_.size()); }

CellRow& RowBatch::NewRow() {
  if (spare_.empty()) {
    CellRow& row = pending_.emplace_back();
    // Rows of one scan are alike: room for as many cells as the widest so far.
    row.Reserve(width_, 0);
    return row;
  }
  CellRow& row = pending_.emplace_back(std::move(spare_.back()));
  spare_.pop_back();
  row.Clear();
  return row;
}

int RowBatch::AppendRow(const std::string& firstCell) {
  BeforeAdding(Direction::kAppend);
  NewRow().Set(0, firstCell);
  return RowCount() - 1;
}

void RowBatch::InsertRowAtTop(const std::string& firstCell) {
  BeforeAdding(Direction::kTop);
  NewRow().Set(0, firstCell);
}

void RowBatch::InsertFilledRowAtTop(std::span<const std::string_view> cells) {
  BeforeAdding(Direction::kTop);
  pending_.emplace_back(cells);
}

void RowBatch::SetCell(int row, int column, std::string_view text) {
  CellRow* cells = Last(row);
  if (cells == nullptr || column < 0) return;
  cells->Set(static_cast<std::size_t>(column), text);
  width_ = std::max(width_, cells->size());
}

std::string RowBatch::GetCell(int row, int column) const {
  const CellRow* cells = Last(row);
  if (cells == nullptr || column < 0) return {};
  return std::string(cells->cell(static_cast<std::size_t>(column)));
}

void RowBatch::DeleteRow(int row) {
  if (Last(row) != nullptr) pending_.pop_back();
}

}  // namespace tessel::recovery
