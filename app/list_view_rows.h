// The engine's list and progress bar answered by the wizard's controls, from
// the scan worker. Rows travel in batches: the engine only ever sets, reads or
// deletes the row it added last (RecoveredList), so the rows before it are
// final and are handed to the list control in one message every few
// milliseconds, instead of one cross-thread message per cell. The last row
// stays here until the next row or Flush.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/recovered_list_ctrl.h"
#include "engine/recovered_list.h"
#include "framework/controls.h"

class ListViewRows final : public tessel::RecoveredList {
 public:
  explicit ListViewRows(const CRecoveredListCtrl& list);
  ~ListViewRows() override { Flush(); }
  ListViewRows(const ListViewRows&) = delete;
  ListViewRows& operator=(const ListViewRows&) = delete;

  int AppendRow(const std::string& firstCell) override;
  void InsertRowAtTop(const std::string& firstCell) override;
  void SetCell(int row, int column, std::string_view text) override;
  std::string GetCell(int row, int column) const override;
  int RowCount() const override { return m_nListRows + static_cast<int>(m_pending.size()); }
  void DeleteRow(int row) override;

  // Hands every row kept here to the list control.
  void Flush();

 private:
  enum class Direction { kAppend, kTop };
  ListRow NewRow(const std::string& firstCell) const;
  // The kept row that list row `row` is, or null when the control holds it.
  ListRow* PendingRow(int row);
  // The control's index of list row `row` (one that is not kept here).
  int ControlRow(int row) const;
  void FlushIfDue(Direction next);
  std::string RequestFromList(ListRowRequest request) const;

  const CRecoveredListCtrl& m_list;
  int m_nListRows;  // rows the control holds
  std::vector<ListRow> m_pending;
  size_t m_nWidth = 0;  // cells of the widest row so far
  Direction m_direction = Direction::kAppend;
  DWORD m_nLastFlush;
};

// The control's range is 32-bit; larger files are counted in coarser steps.
// Positions are sent only when the bar would move by a visible step, and not
// more often than rows are.
class ProgressBarControl final : public tessel::ProgressBar {
 public:
  explicit ProgressBarControl(const CProgressCtrl& bar) : m_bar(bar) {}
  void SetRange(std::int64_t upper) override;
  void SetPosition(std::int64_t position) override;

 private:
  const CProgressCtrl& m_bar;
  std::int64_t m_nScale = 1;
  int m_nUpper = 0;
  int m_nShown = -1;
  DWORD m_nLastSent = 0;
};
