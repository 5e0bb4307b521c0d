// The list of recovered items: its two column sets, select-all, the click that
// leads to the preview, and the colours of checked rows.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/list_columns.h"
#include "recovery/row_cells.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "engine/address_book_scan.h"
#include "res/resource.h"

namespace {

// Row colours (0x00BBGGRR).
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kPaleYellow = 0xBAFAFC;
constexpr COLORREF kWhite = 0xFFFFFF;
// The column whose text marks a row as deleted.
constexpr int kMarkColumn = tessel::kToCell;
constexpr char kDeletedMark[] = "Deleted";

constexpr char kClickWhileScanning[] = "Please stop the search process for preview";
// The caption of this one notice ends in a space.
constexpr char kClickWhileScanningCaption[] = "Oxbrim Tessel IncrediMail ";
}  // namespace

void CRecoveryWizardDlg::SetListColumns() {
  // One repaint for all the columns, not one per column.
  m_lstRecovered.SendMessage(WM_SETREDRAW, FALSE);
  for (int count = m_lstRecovered.GetHeaderItemCount(); count > 0; --count) m_lstRecovered.DeleteColumn(0);
  if (!ScanningMessages()) {
    for (int column = 0; column < tessel::kContactCellCount; ++column)
      m_lstRecovered.InsertColumn(column, std::string(tessel::kContactColumns[static_cast<size_t>(column)].header),
                                  LVCFMT_LEFT, Scale(kContactColumnWidth));
  } else {
    for (size_t column = 0; column < kMessageColumns.size(); ++column)
      m_lstRecovered.InsertColumn(static_cast<int>(column), kMessageColumns[column].heading, LVCFMT_LEFT,
                                  Scale(kMessageColumns[column].width));
  }
  m_nColumnsDpi = Dpi();
  m_lstRecovered.SendMessage(WM_SETREDRAW, TRUE);
  ::RedrawWindow(m_lstRecovered.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CRecoveryWizardDlg::OnSelectAllCheck() { m_lstRecovered.SetAllChecked(m_chkSelectAll.GetCheck() == BST_CHECKED); }

bool CRecoveryWizardDlg::OnNotify(NMHDR* header, LRESULT* result) {
  if (header->idFrom == IDC_EXPORT_FOLDER_LINK || header->idFrom == IDC_EXPORT_HELP_LINK)
    return OnExportLinkNotify(*header);
  if (header->idFrom != IDC_LIST) return false;
  switch (header->code) {
    case NM_CLICK:
      OnListClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
      *result = 0;
      return true;
    case NM_DBLCLK:
      OnListClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
      *result = 0;
      return true;
    case NM_CUSTOMDRAW:
      *result = OnListCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
      return true;
    default:
      return m_lstRecovered.HandleNotify(header, result);
  }
}

void CRecoveryWizardDlg::OnListClick(const NMITEMACTIVATE& click) {
  LVHITTESTINFO hit{};
  hit.pt = click.ptAction;
  int row = static_cast<int>(m_lstRecovered.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  bool onCheckBox = row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) && !(hit.flags & LVHT_ONITEMICON);
  if (onCheckBox) m_lstRecovered.CheckBoxClicked(row);
  RECT list = m_lstRecovered.GetWindowRect();
  OfferPreview(row, onCheckBox, {click.ptAction.x + list.left, click.ptAction.y + list.top});
}

void CRecoveryWizardDlg::OnListMenuKey(int row) {
  // The menu opens under the start of the row's text.
  RECT label{};
  label.left = LVIR_LABEL;
  if (row >= 0) m_lstRecovered.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
  POINT at{label.left, label.bottom};
  ::ClientToScreen(m_lstRecovered.m_hWnd, &at);
  OfferPreview(row, false, at);
}

void CRecoveryWizardDlg::OfferPreview(int row, bool onCheckBox, POINT screen) {
  if (g_bScanRunning) {
    WizardMessageBox(kClickWhileScanning, kNoticeStyle, kClickWhileScanningCaption);
    return;
  }
  g_nClickedItem = row;
  if (row < 0 || onCheckBox) return;
  // Contacts have no preview.
  if (!ScanningMessages()) return;
  m_PopupMenu.CreatePopupMenu();
  m_PopupMenu.AppendMenu(MF_STRING, ID_PREVIEW_MAIL, "Preview Mail");
  m_PopupMenu.TrackPopupMenu(TPM_LEFTALIGN, screen.x, screen.y, m_hWnd);
}

LRESULT CRecoveryWizardDlg::OnListCustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      int row = static_cast<int>(draw.nmcd.dwItemSpec);
      const std::string mark = m_lstRecovered.Cell(row, kMarkColumn);
      if (m_lstRecovered.IsChecked(row)) {
        draw.clrText = kRed;
        draw.clrTextBk = kPaleYellow;
      }
      if (mark.starts_with(kDeletedMark)) draw.clrText = kRed;
      if ((draw.iSubItem == tessel::recovery::kOffsetCell || draw.iSubItem == tessel::recovery::kLengthCell) &&
          ScanningMessages()) {
        draw.clrText = kWhite;
        draw.clrTextBk = kWhite;
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}
