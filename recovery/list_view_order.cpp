#include "recovery/list_view_order.h"

#include <algorithm>
#include <utility>

namespace tessel::recovery {

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

bool ContainsFolded(std::string_view text, std::string_view folded) {
  if (folded.empty()) return true;
  if (text.size() < folded.size()) return false;
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t at = 0; at + folded.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < folded.size() && fold(text[at + i]) == folded[i]) ++i;
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
  std::vector<std::string> texts;
  for (int row = first; row < end; ++row)
    if (Matches(rows, row, texts)) shown_.push_back(row);
  positionOf_.resize(static_cast<std::size_t>(std::max(end, 0)), -1);
  NoteRowsFrom(from);
}

void ListViewOrder::Refresh(const ListRowKeys& rows) {
  shown_.clear();
  positionOf_.assign(static_cast<std::size_t>(std::max(rows.RowCount(), 0)), -1);
  std::vector<std::string> texts;
  for (int row = 0; row < rows.RowCount(); ++row)
    if (Matches(rows, row, texts)) shown_.push_back(row);
  if (sortColumn_ != kNoColumn) SortShown(rows);
  NoteRowsFrom(0);
}

void ListViewOrder::SortBy(const ListRowKeys& rows, int column) {
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  Refresh(rows);
}

void ListViewOrder::Search(const ListRowKeys& rows, std::string_view text) {
  needle_ = FoldCase(text);
  Refresh(rows);
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

bool ListViewOrder::Matches(const ListRowKeys& rows, int row, std::vector<std::string>& texts) const {
  if (needle_.empty()) return true;
  texts.clear();
  rows.SearchTexts(row, texts);
  return std::any_of(texts.begin(), texts.end(),
                     [this](const std::string& text) { return ContainsFolded(text, needle_); });
}

void ListViewOrder::SortShown(const ListRowKeys& rows) {
  // Each key is made once: a cell's text is made anew at every request.
  const bool time = rows.IsTimeColumn(sortColumn_);
  std::vector<std::pair<std::string, int>> keyed;
  keyed.reserve(shown_.size());
  for (int row : shown_) {
    std::string key = rows.SortKey(row, sortColumn_);
    keyed.emplace_back(time ? std::move(key) : FoldCase(key), row);
  }
  const bool ascending = ascending_;
  // Rows without a key last in both directions; equal keys keep the scan's order.
  std::sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
    if (a.first.empty() != b.first.empty()) return b.first.empty();
    if (a.first != b.first) return ascending ? a.first < b.first : b.first < a.first;
    return a.second < b.second;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) shown_[i] = keyed[i].second;
}

void ListViewOrder::NoteRowsFrom(std::size_t firstPosition) {
  for (std::size_t position = firstPosition; position < shown_.size(); ++position)
    positionOf_[static_cast<std::size_t>(shown_[position])] = static_cast<int>(position);
}

}  // namespace tessel::recovery
