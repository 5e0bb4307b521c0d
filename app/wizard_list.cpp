// The list of recovered items as the window's flow uses it: its columns for
// the scan, select-all, a header click that sorts, the click or key that leads
// to the preview, the link to the saved files' names.
#include <windows.h>
#include <commctrl.h>

#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "recovery/row_cells.h"
#include "res/resource.h"

namespace {
constexpr char kClickWhileScanning[] = "Please stop the search process for preview";
// The caption of this one notice ends in a space.
constexpr char kClickWhileScanningCaption[] = "Oxbrim Tessel IncrediMail ";
}  // namespace

void CRecoveryWizardDlg::SetListColumns() {
  m_results.SetColumns(*this);
  m_nColumnsDpi = Dpi();
}

void CRecoveryWizardDlg::OnSelectAllCheck() { m_results.OnSelectAllCheck(); }

bool CRecoveryWizardDlg::OnNotify(NMHDR* header, LRESULT* result) {
  if (header->idFrom == IDC_EXPORT_FOLDER_LINK || header->idFrom == IDC_EXPORT_HELP_LINK)
    return OnExportLinkNotify(*header);
  if (header->idFrom == IDC_PREFIX_LINK) {
    if (header->code != NM_CLICK && header->code != NM_RETURN) return false;
    OnSettings();
    *result = 0;
    return true;
  }
  if (header->idFrom != IDC_LIST) return false;
  switch (header->code) {
    case LVN_COLUMNCLICK: {
      // The record's offset and length are not for people: their hidden columns do not sort.
      const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
      if (!ScanningMessages() || column < tessel::recovery::kOffsetCell) m_results.List().SortByColumn(column);
      *result = 0;
      return true;
    }
    case NM_CLICK:
      OnListClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
      *result = 0;
      return true;
    case NM_DBLCLK:
      OnListClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
      *result = 0;
      return true;
    case NM_CUSTOMDRAW:
      *result = m_results.OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
      return true;
    default:
      return m_results.List().HandleNotify(header, result);
  }
}

void CRecoveryWizardDlg::OnListClick(const NMITEMACTIVATE& click) {
  bool onCheckBox = false;
  const int row = m_results.ClickedRow(click, onCheckBox);
  RECT list = m_results.List().GetWindowRect();
  OfferPreview(row, onCheckBox, {click.ptAction.x + list.left, click.ptAction.y + list.top});
}

void CRecoveryWizardDlg::OnListMenuKey(int row) {
  // The menu opens under the start of the row's text.
  RECT label{};
  label.left = LVIR_LABEL;
  const int position = m_results.List().PositionOf(row);
  if (position >= 0)
    m_results.List().SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&label));
  POINT at{label.left, label.bottom};
  ::ClientToScreen(m_results.List().m_hWnd, &at);
  OfferPreview(row, false, at);
}

void CRecoveryWizardDlg::OfferPreview(int row, bool onCheckBox, POINT screen) {
  if (m_steps.ScanRunning()) {
    WizardMessageBox(kClickWhileScanning, kNoticeStyle, kClickWhileScanningCaption);
    return;
  }
  ShareClickedRow(row);
  if (row < 0 || onCheckBox) return;
  // Contacts have no preview.
  if (!ScanningMessages()) return;
  m_results.ShowPreviewMenu(screen, m_hWnd);
}
