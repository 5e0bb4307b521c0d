// The list of recovered items as the engine sees it. The engine fills rows and
// cells through this port only; the Windows program answers it with list-view
// messages sent to its control, the command line and the tests with rows kept in
// memory (MemoryList).
#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <string_view>

namespace tessel {

// What a list may rely on: a message store scan only ever sets, reads or deletes
// the row it appended last, so once AppendRow is called again (or the scan has
// returned) every earlier row is final and may be printed and forgotten. The
// address book walk only touches row 0, which it inserted last.
class RecoveredList {
 public:
  virtual ~RecoveredList() = default;
  // Appends a row whose first cell is `firstCell`; returns the new row's index.
  virtual int AppendRow(const std::string& firstCell) = 0;
  // Inserts a row at index 0 (the address book lists the last contact first).
  virtual void InsertRowAtTop(const std::string& firstCell) = 0;
  // A view, so that a caller can hand over bytes it holds anyway and the list
  // builds the cell once.
  virtual void SetCell(int row, int column, std::string_view text) = 0;
  // Inserts at index 0 a row of `cells`, all known at once (one contact of an
  // address book): a list that can build the row in one go does so.
  virtual void InsertFilledRowAtTop(std::span<const std::string_view> cells) {
    InsertRowAtTop(cells.empty() ? std::string() : std::string(cells[0]));
    for (std::size_t i = 1; i < cells.size(); ++i) SetCell(0, static_cast<int>(i), cells[i]);
  }
  virtual std::string GetCell(int row, int column) const = 0;
  virtual int RowCount() const = 0;
  virtual void DeleteRow(int row) = 0;
};

// The progress bar. Positions are bytes of the file being walked; the Windows
// adapter scales them when a file is larger than the control's 32-bit range.
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual void SetRange(std::int64_t upper) = 0;  // lower bound is always 0
  virtual void SetPosition(std::int64_t position) = 0;
};

}  // namespace tessel
