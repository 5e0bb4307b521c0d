// A list for message store scans of any size: each row is handed to a callback
// as soon as it is final (see RecoveredList) and then forgotten, so memory stays
// flat however many messages a store holds. Not for address books, whose walk
// inserts rows at the top.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/recovered_list.h"

namespace tessel {

class RowStreamList final : public RecoveredList {
 public:
  using RowSink = std::function<void(const std::vector<std::string>& cells)>;
  explicit RowStreamList(RowSink sink) : sink_(std::move(sink)) {}

  int AppendRow(const std::string& firstCell) override;
  // Rows at the top cannot be streamed in order; ignored.
  void InsertRowAtTop(const std::string&) override {}
  void SetCell(int row, int column, std::string_view text) override;
  std::string GetCell(int row, int column) const override;
  int RowCount() const override { return rowCount_; }
  void DeleteRow(int row) override;

  // Hands over the last row; call once the scan has returned.
  void Finish();

 private:
  bool IsPending(int row) const { return pending_ && row == rowCount_ - 1; }

  RowSink sink_;
  // The last row's cells; their strings are reused from row to row, so that a
  // scan of many rows does not allocate for every cell.
  std::vector<std::string> last_;
  std::size_t cellCount_ = 0;
  bool pending_ = false;
  int rowCount_ = 0;
};

}  // namespace tessel
