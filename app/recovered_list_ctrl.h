// CRecoveredListCtrl: the list of recovered items (control 1009), an owner-data
// list view that holds its rows and check states itself. A store of 100,000
// messages would cost a cross-thread message per cell in a list that keeps its
// own items; this one takes a scan's typed rows in batches (ListViewSink sends
// them) and answers the control's requests for texts and check boxes from
// memory, making each cell's text as it is asked for. Message rows show their
// cells for people (UTF-8, made by the worker), contacts their stored bytes in
// the system's code page; the list asks in UTF-16, so any script shows.
// Everything a user sees and what the engine reads back stay the same: the
// control still answers LVM_GETITEMTEXT and LVM_GETITEMSTATE, and a check box
// click toggles the row.
// The control's items are the shown rows, in the view's order (a header
// click sorts, the search box cuts them down): an item's number is its place
// in that order, and the members below speak of rows (the scan's order).
//
// The rows belong to the window's thread: the worker changes them only
// through messages sent to the control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contact_row.h"
#include "engine/message_row.h"
#include "recovery/list_view_order.h"
#include "recovery/scan_mode.h"
#include "framework/list_ctrl.h"
#include "framework/tool_tip.h"

class CRecoveredListCtrl : public CListCtrl {
 public:
  // What the rows are, and how their cells read: set before a scan's rows come.
  void SetScanMode(tessel::ScanMode mode) { m_mode = mode; }
  int RowCount() const { return static_cast<int>(m_checked.size()); }
  // The text the list shows; empty for a row or column that does not exist.
  std::string Cell(int row, int column) const;
  // A message row's cell for people: From, Subject, To and Date (kFromCell
  // ... kDateCell) in UTF-8; empty for a row or column that does not exist.
  std::string_view ReadableCell(int row, int column) const;
  // A message row's date in UTC ("2003-03-04T10:05:00Z"), for sorting; empty
  // when its Date could not be read.
  std::string_view DateUtc(int row) const;
  // The message or contact at `row`; null for a row the list does not hold or of the other kind.
  const tessel::MessageRow* Message(int row) const;
  const tessel::ContactRow* Contact(int row) const;
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  void SetAllChecked(bool checked);
  // The row numbers (from 0) of the checked rows, in list order.
  std::vector<int> CheckedRows() const;
  // The first checked row, or -1 (the search stops there).
  int FirstCheckedRow() const;
  void DeleteAllRows();

  // The view: the shown rows, sorted and searched.
  int ShownCount() const { return m_view.ShownCount(); }
  // The control's item `position` is this row; -1 outside.
  int RowAt(int position) const { return m_view.RowAt(position); }
  // The item that shows `row`, or -1 while the search hides it.
  int PositionOf(int row) const { return m_view.PositionOf(row); }
  // A header click: sorts by `column`, reversed on a second click; the header shows an arrow.
  void SortByColumn(int column);
  // The search box's text: only rows whose From, Subject or To (any cell of a
  // contact) hold it show, case aside. Their checks stay.
  void Search(const std::string& text);
  bool Searching() const { return m_view.Searching(); }
  // Checked rows that the search hides.
  int HiddenCheckedCount() const;
  // The lines under the count that say what the rows are; empty when all are plain.
  std::string RowKindsNote() const;
  // The order again over all the rows, so that rows a scan added since a sort take their places.
  void RefreshView();
  // Ctrl+A: every shown row selected (the checks stay as they are).
  void SelectAllShown();
  // Called on the window's thread after each batch of rows arrives.
  void SetRowsAddedHandler(std::function<void()> handler) { m_onRowsAdded = std::move(handler); }
  // Called with the focused row (-1 for none) when Enter, Shift+F10 or the
  // Menu key asks for the row's menu.
  void SetMenuKeyHandler(std::function<void(int row)> handler) { m_onMenuKey = std::move(handler); }
  // The row with the keyboard focus, or -1.
  int FocusedRow() const;
  // Gives `row` the keyboard focus (the selection stays) and shows it.
  void FocusRow(int row);
  // The row images: a message, a contact, a message found only in the store's bytes.
  static constexpr int kMessageImage = 0;
  static constexpr int kContactImage = 1;
  static constexpr int kStoreOnlyImage = 2;
  // A deep scan's rows of a mark's `origin` show its `image`, and its `tip`
  // while the mouse rests on them; other message rows show the message image
  // and have no tip, contacts the contact image.
  struct RowMark {
    tessel::Origin origin = tessel::Origin::kIndex;
    int image = 0;
    std::string tip;
  };
  void MarkRows(std::vector<RowMark> marks);
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
  void AddMessages(std::vector<tessel::MessageRow>& rows, std::vector<tessel::CellRow>& readable);
  void AddContacts(std::vector<tessel::ContactRow>& rows);
  void UpdateItemCount(bool keepView);
  // The shown rows changed wholesale: the count, no selection, the header's arrow.
  void ShowNewOrder();
  void ShowSortArrow() const;
  // Space: the focused row's check toggles, and the selected rows' with it
  // when the focused row is one of them.
  void ToggleChecksFromKeyboard();
  bool IsSelected(int row) const;
  void RedrawRow(int row) const;
  // The tip follows the row under the mouse.
  void TrackTip(UINT message, WPARAM wParam, LPARAM lParam);

  // The mark of a deep scan's row whose origin one of the marks has, or null.
  const RowMark* MarkOf(int row) const;
  int RowImage(int row) const;

  static constexpr UINT_PTR kRowTipTool = 1;
  std::vector<RowMark> m_marks;
  CToolTipCtrl m_ToolTip;
  int m_nTipRow = -1;

  std::function<void()> m_onRowsAdded;
  std::function<void(int row)> m_onMenuKey;
  tessel::ScanMode m_mode = tessel::ScanMode::kUsual;
  // The rows of the scan's kind, in list order: the last contact of a book first.
  std::vector<tessel::MessageRow> m_messages;
  std::vector<tessel::CellRow> m_readable;  // one per message row (recovery/readable_cells.h)
  std::vector<tessel::ContactRow> m_contacts;
  std::vector<std::uint8_t> m_checked;  // one per row
  // The row whose check box the list view toggled since the last click ended.
  int m_nToggledByList = -1;

  // The sort keys and search texts of the rows, for the view.
  class RowKeys final : public tessel::recovery::ListRowKeys {
   public:
    explicit RowKeys(const CRecoveredListCtrl& list) : m_list(list) {}
    int RowCount() const override { return m_list.RowCount(); }
    std::string SortKey(int row, int column) const override;
    bool IsTimeColumn(int column) const override;
    void SearchTexts(int row, std::vector<std::string_view>& texts) const override;

   private:
    const CRecoveredListCtrl& m_list;
  };
  RowKeys m_keys{*this};
  tessel::recovery::ListViewOrder m_view;
};
