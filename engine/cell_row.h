// One row of the recovered-items list, the one row type of every program over
// the engine: its cells' text held end to end in one string, cut by offsets,
// so that a row costs two blocks of memory, not one for each cell longer than
// a short string holds.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class CellRow {
 public:
  CellRow() = default;
  explicit CellRow(std::span<const std::string_view> cells);
  CellRow(std::initializer_list<std::string_view> cells)
      : CellRow(std::span<const std::string_view>(cells.begin(), cells.size())) {}

  std::size_t size() const { return ends_.size(); }
  // Empty past the row's last cell.
  std::string_view cell(std::size_t i) const {
    if (i >= ends_.size()) return {};
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }
  std::string_view operator[](std::size_t i) const { return cell(i); }
  // Bytes of all cells together.
  std::size_t TextSize() const { return text_.size(); }

  // Sets cell `column`; setting one past the last widens the row with empty cells.
  void Set(std::size_t column, std::string_view text);
  // Widens the row with empty cells to at least `count` cells.
  void Widen(std::size_t count);
  // Room for `cells` cells and `text` bytes, so that filling the row does not move it again and again.
  void Reserve(std::size_t cells, std::size_t text);
  void Clear() {
    text_.clear();
    ends_.clear();
  }

  friend bool operator==(const CellRow& a, const CellRow& b) { return a.ends_ == b.ends_ && a.text_ == b.text_; }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;  // where each cell ends in text_
};

}  // namespace tessel
