// The table for people: aligned columns that fit the terminal, long cells cut
// with "...", control characters shown as spaces, text decoded for the terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/rows.h"

namespace tessel::cli {

enum class Align { kLeft, kRight };

// Appends `bytes` as a table cell of exactly `width` terminal columns (a right-aligned
// cell that is too long, such as a large offset, is kept whole instead of cut).
void AppendTableCell(std::string& out, std::string_view bytes, size_t width, Align align);

class TableFormat {
 public:
  // `lineWidth` 0: every column at its natural width.
  TableFormat(ScanMode mode, size_t lineWidth);

  std::string Heading() const;
  // One row; `number` counts from 1, `marks` follow it.
  void AppendRow(std::string& out, long long number, const CellRow& cells, std::string_view marks) const;

  struct Column {
    int cell;  // -1: the row number
    const char* heading;
    size_t width;     // natural width
    size_t minWidth;  // the text columns give way down to this on narrow terminals
    Align align;
  };

 private:
  void AppendLine(std::string& out, long long number, const CellRow* cells, std::string_view marks) const;
  std::vector<Column> columns_;
};

}  // namespace tessel::cli
