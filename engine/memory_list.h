// Rows and progress kept in memory: the list and progress bar of the command
// line and the tests. MemoryList answers every list call the engine makes,
// including rows inserted at the top by the address book walk, each in
// constant time, so that a walk of any size stays linear.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/recovered_list.h"

namespace tessel {

// One row of a MemoryList, read-only: its cells' text held end to end in one
// string, cut by offsets, so that a row costs two blocks of memory, not one
// for each cell longer than a short string holds.
class CellRow {
 public:
  std::size_t size() const { return ends_.size(); }
  // Empty past the row's last cell.
  std::string_view cell(std::size_t i) const {
    if (i >= ends_.size()) return {};
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }
  friend bool operator==(const CellRow& a, const CellRow& b) { return a.ends_ == b.ends_ && a.text_ == b.text_; }

 private:
  friend class MemoryList;
  std::string text_;
  std::vector<std::size_t> ends_;  // where each cell ends in text_
};

class MemoryList final : public RecoveredList {
 public:
  int AppendRow(const std::string& firstCell) override;
  void InsertRowAtTop(const std::string& firstCell) override;
  void InsertFilledRowAtTop(std::span<const std::string_view> cells) override;
  // Setting a cell past the row's last one widens the row with empty cells; a
  // row index that does not exist is ignored, as a list view does.
  void SetCell(int row, int column, std::string_view text) override;
  // Empty for a row or column that does not exist.
  std::string GetCell(int row, int column) const override;
  int RowCount() const override { return static_cast<int>(top_.size() + rows_.size()); }
  void DeleteRow(int row) override;

  // Row `row`'s cells, as many as were set (empty for a missing row).
  const CellRow& Row(int row) const;
  const std::vector<CellRow>& Rows() const;
  // Hands the rows over without copying them, leaving the list empty.
  std::vector<CellRow> TakeRows();
  void Clear() {
    rows_.clear();
    top_.clear();
  }

 private:
  CellRow NewRow(const std::string& firstCell) const;
  CellRow* Find(int row);
  // Puts the rows inserted at the top before the others, in list order.
  void Settle() const;

  // Rows inserted at the top, the last one (row 0) at the back, then the rows
  // in list order. Both are mutable so that Rows() may settle them lazily.
  mutable std::vector<CellRow> top_;
  mutable std::vector<CellRow> rows_;
  std::size_t width_ = 0;     // cells of the widest row so far
  std::size_t lastText_ = 0;  // text bytes of the row filled last
};

// Keeps the range and the latest position; counts the updates.
class MemoryProgressBar final : public ProgressBar {
 public:
  void SetRange(std::int64_t upper) override {
    range_ = upper;
    ++rangeUpdates_;
  }
  void SetPosition(std::int64_t position) override {
    position_ = position;
    ++positionUpdates_;
  }

  std::int64_t Range() const { return range_; }
  std::int64_t Position() const { return position_; }
  int RangeUpdates() const { return rangeUpdates_; }
  int PositionUpdates() const { return positionUpdates_; }

 private:
  std::int64_t range_ = 0;
  std::int64_t position_ = 0;
  int rangeUpdates_ = 0;
  int positionUpdates_ = 0;
};

}  // namespace tessel
