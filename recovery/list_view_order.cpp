#include "recovery/list_view_order.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tessel::recovery {
namespace {

char FoldByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A row's place in a sort: its key's first 16 bytes as two numbers compared
// first, in the cache, before the key itself.
struct SortEntry {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  int row = 0;
  bool empty = false;
};

std::uint64_t BigEndianAt(const std::string& key, std::size_t at) {
  std::uint64_t value = 0;
  for (std::size_t i = at; i < at + 8; ++i)
    value = value << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
  return value;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldByte(c);
  return folded;
}

bool ContainsFolded(std::string_view text, std::string_view folded) {
  if (folded.empty()) return true;
  if (text.size() < folded.size()) return false;
  for (std::size_t at = 0; at + folded.size() <= text.size(); ++at) {
    if (FoldByte(text[at]) != folded[0]) continue;
    std::size_t i = 1;
    while (i < folded.size() && FoldByte(text[at + i]) == folded[i]) ++i;
    if (i == folded.size()) return true;
  }
  return false;
}

void ListViewOrder::Reset(const ListRowKeys& rows) {
  sortColumn_ = kNoColumn;
  ascending_ = true;
  needle_.clear();
  Refresh(rows);
}

void ListViewOrder::Append(const ListRowKeys& rows, int first, int end) {
  const std::size_t from = shown_.size();
  std::vector<std::string_view> texts;
  for (int row = first; row < end; ++row) {
    sorted_.push_back(row);
    if (Matches(rows, row, texts)) shown_.push_back(row);
  }
  positionOf_.resize(static_cast<std::size_t>(std::max(end, 0)), -1);
  NoteRowsFrom(from);
}

void ListViewOrder::Refresh(const ListRowKeys& rows) {
  SortAll(rows);
  ShowFound(rows);
}

void ListViewOrder::SortBy(const ListRowKeys& rows, int column) {
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  Refresh(rows);
}

void ListViewOrder::Search(const ListRowKeys& rows, std::string_view text) {
  needle_ = FoldCase(text);
  ShowFound(rows);
}

int ListViewOrder::RowAt(int position) const {
  return position >= 0 && static_cast<std::size_t>(position) < shown_.size()
             ? shown_[static_cast<std::size_t>(position)]
             : -1;
}

int ListViewOrder::PositionOf(int row) const {
  return row >= 0 && static_cast<std::size_t>(row) < positionOf_.size() ? positionOf_[static_cast<std::size_t>(row)]
                                                                        : -1;
}

bool ListViewOrder::Matches(const ListRowKeys& rows, int row, std::vector<std::string_view>& texts) const {
  if (needle_.empty()) return true;
  texts.clear();
  rows.SearchTexts(row, texts);
  return std::any_of(texts.begin(), texts.end(),
                     [this](std::string_view text) { return ContainsFolded(text, needle_); });
}

void ListViewOrder::SortAll(const ListRowKeys& rows) {
  const int count = std::max(rows.RowCount(), 0);
  sorted_.resize(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) sorted_[static_cast<std::size_t>(row)] = row;
  if (sortColumn_ == kNoColumn) return;
  // Each key is made once: a cell's text is made anew at every request.
  const bool time = rows.IsTimeColumn(sortColumn_);
  std::vector<std::string> keys(static_cast<std::size_t>(count));
  std::vector<SortEntry> entries(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    std::string& key = keys[static_cast<std::size_t>(row)];
    key = rows.SortKey(row, sortColumn_);
    if (!time) key = FoldCase(key);
    entries[static_cast<std::size_t>(row)] = {BigEndianAt(key, 0), BigEndianAt(key, 8), row, key.empty()};
  }
  const bool ascending = ascending_;
  // Rows without a key last in both directions; equal keys keep the scan's order.
  std::sort(entries.begin(), entries.end(), [&keys, ascending](const SortEntry& a, const SortEntry& b) {
    if (a.empty != b.empty) return b.empty;
    int order = a.high != b.high ? (a.high < b.high ? -1 : 1) : a.low != b.low ? (a.low < b.low ? -1 : 1) : 0;
    if (order == 0) order = keys[static_cast<std::size_t>(a.row)].compare(keys[static_cast<std::size_t>(b.row)]);
    if (order != 0) return ascending ? order < 0 : order > 0;
    return a.row < b.row;
  });
  for (std::size_t i = 0; i < entries.size(); ++i) sorted_[i] = entries[i].row;
}

void ListViewOrder::ShowFound(const ListRowKeys& rows) {
  shown_.clear();
  positionOf_.assign(sorted_.size(), -1);
  std::vector<std::string_view> texts;
  for (int row : sorted_)
    if (Matches(rows, row, texts)) shown_.push_back(row);
  NoteRowsFrom(0);
}

void ListViewOrder::NoteRowsFrom(std::size_t firstPosition) {
  for (std::size_t position = firstPosition; position < shown_.size(); ++position)
    positionOf_[static_cast<std::size_t>(shown_[position])] = static_cast<int>(position);
}

}  // namespace tessel::recovery
