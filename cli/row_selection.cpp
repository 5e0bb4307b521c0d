#include "cli/row_selection.h"

#include <algorithm>

namespace tessel::cli {
namespace {

constexpr long long kMaxRow = 1'000'000'000'000LL;  // far beyond any store

// A row number: digits only, at least 1.
std::optional<long long> ParseRowNumber(std::string_view text) {
  if (text.empty() || text.size() > 13) return std::nullopt;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxRow) return std::nullopt;
  return value;
}

}  // namespace

std::optional<RowSelection> RowSelection::Parse(std::string_view text, std::string& error) {
  RowSelection selection;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string_view item =
        text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const size_t dash = item.find('-');
    std::optional<long long> first, last;
    if (dash == std::string_view::npos) {
      first = last = ParseRowNumber(item);
    } else {
      first = ParseRowNumber(item.substr(0, dash));
      last = dash + 1 == item.size() ? std::optional<long long>(0) : ParseRowNumber(item.substr(dash + 1));
    }
    if (!first || !last || (*last != 0 && *last < *first)) {
      error = "bad row list '" + std::string(text) + "' at '" + std::string(item) +
              "' (use numbers from 1, ranges like 4-9 or 12-, separated by commas)";
      return std::nullopt;
    }
    selection.ranges_.push_back({*first, *last});
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return selection;
}

bool RowSelection::Contains(long long row) const {
  if (ranges_.empty()) return true;
  for (const Range& range : ranges_) {
    if (row >= range.first && (range.last == 0 || row <= range.last)) return true;
  }
  return false;
}

long long RowSelection::Highest() const {
  long long highest = 0;
  for (const Range& range : ranges_) {
    if (range.last == 0) return 0;
    if (range.last > highest) highest = range.last;
  }
  return highest;
}

long long RowSelection::LastNamed() const {
  long long last = 0;
  for (const Range& range : ranges_) last = std::max(last, range.last == 0 ? range.first : range.last);
  return last;
}

long long RowSelection::FirstMissing(long long rows) const {
  long long missing = 0;
  for (const Range& range : ranges_) {
    // An open range needs its first row; a closed one every row up to its last.
    const bool exists = range.last == 0 ? range.first <= rows : range.last <= rows;
    if (exists) continue;
    const long long first = std::max(range.first, rows + 1);
    if (missing == 0 || first < missing) missing = first;
  }
  return missing;
}

}  // namespace tessel::cli
