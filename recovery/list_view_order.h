// The order in which the wizard's list shows its rows: an index over them
// (shown position -> row number), reordered by a column's sort and cut down by
// the search box, while the rows themselves stay as the scan listed them (Save,
// the checks and the row numbers in file names keep to that order). Apart from
// the window so that it is tested natively; the list answers the control's
// requests through it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessel::recovery {

// What the order needs to know of the rows.
class ListRowKeys {
 public:
  virtual ~ListRowKeys() = default;
  virtual int RowCount() const = 0;
  // The text `row` sorts by in `column`: compared without case, except in a
  // time column, whose keys compare as they are (a UTC time in a form whose
  // text order is its time order). Empty keys come last either way.
  virtual std::string SortKey(int row, int column) const = 0;
  virtual bool IsTimeColumn(int column) const = 0;
  // The texts the search looks in (From, Subject and To of a message),
  // appended to `texts`; they stay valid while the rows do not change.
  virtual void SearchTexts(int row, std::vector<std::string_view>& texts) const = 0;
};

// ASCII letters in lower case; other bytes (UTF-8 included) as they are.
std::string FoldCase(std::string_view text);
// True when `folded` (already folded) is found in `text`, case aside.
bool ContainsFolded(std::string_view text, std::string_view folded);

class ListViewOrder {
 public:
  static constexpr int kNoColumn = -1;

  // Every row in row order: no sort, no search. A new scan's list starts so.
  void Reset(const ListRowKeys& rows);
  // Rows [first, end) joined the list at its end (a scan still listing): those
  // the search finds are shown after the others, unsorted until Refresh.
  // The search and the sort each cost a pass over the rows, the sort also
  // one sort of them: the search keeps the sorted order rather than sorting again.
  void Append(const ListRowKeys& rows, int first, int end);
  // Builds the order again from all the rows: the search, then the sort.
  void Refresh(const ListRowKeys& rows);

  // A click on `column`'s header: ascending, or reversed when it was already
  // the sorted column. Sorts every row, hidden ones too.
  void SortBy(const ListRowKeys& rows, int column);
  // The search text (empty: every row); the shown rows keep the sort.
  void Search(const ListRowKeys& rows, std::string_view text);

  int SortedColumn() const { return sortColumn_; }
  bool Ascending() const { return ascending_; }
  bool Searching() const { return !needle_.empty(); }

  int ShownCount() const { return static_cast<int>(shown_.size()); }
  // The row shown at `position`, or -1 outside the shown rows.
  int RowAt(int position) const;
  // Where `row` is shown, or -1 when the search hides it.
  int PositionOf(int row) const;

 private:
  bool Matches(const ListRowKeys& rows, int row, std::vector<std::string_view>& texts) const;
  // `sorted_` from every row, in the sort's order (row order when none).
  void SortAll(const ListRowKeys& rows);
  // `shown_` and `positionOf_` from `sorted_` and the search.
  void ShowFound(const ListRowKeys& rows);
  void NoteRowsFrom(std::size_t firstPosition);

  std::vector<int> sorted_;      // every row, in the sort's order
  std::vector<int> shown_;       // position -> row
  std::vector<int> positionOf_;  // row -> position, -1 when hidden
  int sortColumn_ = kNoColumn;
  bool ascending_ = true;
  std::string needle_;  // folded
};

}  // namespace tessel::recovery
