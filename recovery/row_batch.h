// Rows on their way from a scan to a front end that shows or prints them. The
// engine only ever sets, reads or deletes the row it added last (see
// RecoveredList), so every earlier row is final: RowBatch keeps the last row
// and hands the final ones over in batches, one call per batch instead of one
// per cell, which matters where each call crosses threads (the wizard's list)
// or ends in a write (tessel). Debug builds check the rule.
#pragma once

#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cell_row.h"
#include "engine/recovered_list.h"

namespace tessel::recovery {

// What a front end does with final rows. It may move the rows out.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // Rows that go after every row handed over before, in order.
  virtual void AppendRows(std::vector<CellRow>& rows) = 0;
  // Rows each inserted at the top in turn, the first inserted first (the last
  // one ends up in row 0).
  virtual void InsertRowsAtTop(std::vector<CellRow>& rows) = 0;
};

class RowBatch final : public RecoveredList {
 public:
  // Final rows are handed over once `largestBatch` of them gather or
  // `interval` has passed since the last hand-over, whichever comes first.
  explicit RowBatch(RowSink& sink, std::size_t largestBatch = 8192,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(40));
  ~RowBatch() override { Flush(); }
  RowBatch(const RowBatch&) = delete;
  RowBatch& operator=(const RowBatch&) = delete;

  int AppendRow(const std::string& firstCell) override;
  void InsertRowAtTop(const std::string& firstCell) override;
  void InsertFilledRowAtTop(std::span<const std::string_view> cells) override;
  // Only the row added last may be set, read or deleted; other rows are
  // ignored (and stop a debug build).
  void SetCell(int row, int column, std::string_view text) override;
  std::string GetCell(int row, int column) const override;
  int RowCount() const override { return handedOver_ + static_cast<int>(pending_.size()); }
  void DeleteRow(int row) override;

  // Hands every row kept here over, the last one too: call once the scan has
  // returned (the destructor does).
  void Flush();

 private:
  enum class Direction { kAppend, kTop };
  // The row added last, when `row` is it.
  const CellRow* Last(int row) const;
  CellRow* Last(int row) { return const_cast<CellRow*>(std::as_const(*this).Last(row)); }
  // Called before a row is added: hands the final rows over when it is time.
  void BeforeAdding(Direction direction);
  void HandOver(std::size_t count);
  // A row to fill: one the sink left as it was handed over (its memory is
  // reused, so that a scan does not allocate for every row), or a new one.
  CellRow& NewRow();

  RowSink& sink_;
  std::size_t largestBatch_;
  std::chrono::milliseconds interval_;
  std::chrono::steady_clock::time_point lastHandOver_;
  std::vector<CellRow> pending_;  // final rows, and the row added last at the back
  std::vector<CellRow> handing_;  // the rows being handed over
  std::vector<CellRow> spare_;    // rows handed over and left whole by the sink
  Direction direction_ = Direction::kAppend;
  int handedOver_ = 0;
  std::size_t width_ = 1;  // cells of the widest row so far, reserved for the next
};

}  // namespace tessel::recovery
