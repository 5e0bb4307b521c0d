// Which rows a command works on: `--rows 3`, `--rows 1,4,7`, `--rows 10-20`,
// `--rows 40-` (to the last row), or a mix. Rows count from 1, as `tessel scan`
// numbers them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::cli {

class RowSelection {
 public:
  // Every row.
  RowSelection() = default;

  // Parses a list; on a malformed one returns nothing and sets `error`.
  static std::optional<RowSelection> Parse(std::string_view text, std::string& error);

  bool Contains(long long row) const;
  // The highest row named, or 0 when the selection has no upper end.
  long long Highest() const;
  // The row up to which a store must have rows for every named row to exist:
  // the highest named, counting an open range's first row ("24-" names 24).
  long long LastNamed() const;
  // The lowest named row beyond the store's `rows`, or 0 when every named row exists.
  long long FirstMissing(long long rows) const;

 private:
  struct Range {
    long long first;
    long long last;  // 0: to the last row
  };
  std::vector<Range> ranges_;  // empty: every row
};

}  // namespace tessel::cli
