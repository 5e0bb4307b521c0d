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

#include "engine/cell_row.h"
#include "engine/recovered_list.h"

namespace tessel {

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

// Keeps the range and the latest position.
class MemoryProgressBar final : public ProgressBar {
 public:
  void SetRange(std::int64_t upper) override { range_ = upper; }
  void SetPosition(std::int64_t position) override { position_ = position; }

  std::int64_t Range() const { return range_; }
  std::int64_t Position() const { return position_; }

 private:
  std::int64_t range_ = 0;
  std::int64_t position_ = 0;
};

}  // namespace tessel
