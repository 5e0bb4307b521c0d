// CRecoveredListCtrl: the list of recovered items (control 1009), an owner-data
// list view that holds its rows and check states itself. A store of 100,000
// messages would cost a cross-thread message per cell in a list that keeps its
// own items; this one takes a scan's rows in batches (ListViewSink sends them)
// and answers the control's requests for texts and check boxes from memory.
// Everything a user sees and what the engine reads back stay the same: the
// control still answers LVM_GETITEMTEXT and LVM_GETITEMSTATE, and a check box
// click toggles the row.
//
// The rows belong to the window's thread: the worker changes them only
// through messages sent to the control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/cell_row.h"
#include "framework/list_ctrl.h"
#include "framework/tool_tip.h"

class CRecoveredListCtrl : public CListCtrl {
 public:
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  // Empty for a row or column that does not exist.
  std::string_view Cell(int row, int column) const;
  // All cells of a row the list holds (an empty row for one it does not).
  const tessel::CellRow& Row(int row) const;
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  void SetAllChecked(bool checked);
  // The row numbers (from 0) of the checked rows, in list order.
  std::vector<int> CheckedRows() const;
  // The first checked row, or -1 (the search stops there).
  int FirstCheckedRow() const;
  void DeleteAllRows();
  // Called on the window's thread after each batch of rows arrives.
  void SetRowsAddedHandler(std::function<void()> handler) { m_onRowsAdded = std::move(handler); }
  // Called with the focused row (-1 for none) when Enter, Shift+F10 or the
  // Menu key asks for the row's menu.
  void SetMenuKeyHandler(std::function<void(int row)> handler) { m_onMenuKey = std::move(handler); }
  // The row with the keyboard focus, or -1.
  int FocusedRow() const;
  // Gives `row` the keyboard focus (the selection stays) and shows it.
  void FocusRow(int row);
  // Rows whose cell `column` (shown or not) reads a mark's `text` show its
  // `image`, and its `tip` while the mouse rests on them; other rows keep the
  // list's default image and have no tip.
  struct RowMark {
    std::string text;
    int image = 0;
    std::string tip;
  };
  void MarkRows(int column, std::vector<RowMark> marks);
  bool IsMarked(int row) const { return MarkOf(row) != nullptr; }
  // The tip for the row under the mouse (empty when it is not marked).
  std::string CurrentTipText() const { return m_ToolTip.GetToolText(m_hWnd, kRowTipTool); }

  // The list's notifications, handed over by the dialog; true when answered.
  bool HandleNotify(NMHDR* header, LRESULT* result);
  // A click on the list ended (NM_CLICK, NM_DBLCLK) on `row`'s check box: the
  // control toggles it unless the list view already did on the button press.
  void CheckBoxClicked(int row);

  const char* GetRuntimeClassName() const override { return "CRecoveredListCtrl"; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void AppendRows(std::vector<tessel::CellRow>& rows);
  void InsertRowsAtTop(std::vector<tessel::CellRow>& rows);
  void UpdateItemCount(bool keepView);
  // Space: the focused row's check toggles, and the selected rows' with it
  // when the focused row is one of them.
  void ToggleChecksFromKeyboard();
  bool IsSelected(int row) const;
  void RedrawRows(int first, int last) const;
  // The tip follows the row under the mouse.
  void TrackTip(UINT message, WPARAM wParam, LPARAM lParam);

  // The mark of a row whose cell reads one of the marks' texts, or null.
  const RowMark* MarkOf(int row) const;

  static constexpr UINT_PTR kRowTipTool = 1;
  int m_nMarkColumn = -1;
  std::vector<RowMark> m_marks;
  CToolTipCtrl m_ToolTip;
  int m_nTipRow = -1;

  std::function<void()> m_onRowsAdded;
  std::function<void(int row)> m_onMenuKey;
  std::vector<tessel::CellRow> m_rows;
  std::vector<std::uint8_t> m_checked;
  // The row whose check box the list view toggled since the last click ended.
  int m_nToggledByList = -1;
};
