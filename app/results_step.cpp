// The results step's controls: the list's two column sets, its row icons,
// select-all, the preview menu, and the colours of checked rows.
#include "app/results_step.h"

#include <string>
#include <utility>

#include "app/list_columns.h"
#include "app/scan_state.h"
#include "engine/address_book_scan.h"
#include "framework/module.h"
#include "recovery/row_cells.h"
#include "res/resource.h"
#include "win32_base/gdi_handles.h"

namespace {

// Row icons: 16 x 16, 16-bit colour with mask, loaded large and scaled down.
constexpr int kRowIconSize = 16;
constexpr int kRowIconSourceSize = 48;
constexpr int kRowIconsInitial = 4;
constexpr int kRowIconsGrowth = 1;

// Row colours (0x00BBGGRR).
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kPaleYellow = 0xBAFAFC;
constexpr COLORREF kWhite = 0xFFFFFF;
// The column whose text marks a row as deleted.
constexpr int kMarkColumn = tessel::kToCell;
constexpr char kDeletedMark[] = "Deleted";

}  // namespace

void CResultsStep::Bind(const CWnd& dialog) {
  m_lstRecovered.SubclassDlgItem(IDC_LIST, dialog);
  m_chkSelectAll.SubclassDlgItem(IDC_SELECT_ALL, dialog);
  m_lblSelectAll.SubclassDlgItem(IDC_SELECT_ALL_LABEL, dialog);
  m_btnSave.SubclassDlgItem(IDC_SAVE, dialog);
}

void CResultsStep::SetUp(const CPictureDialog& dialog, std::function<void(int row)> onMenuKey) {
  // The message columns, until a scan sets its own.
  SetColumns(dialog);

  SetUpRowIcons(dialog);
  m_lstRecovered.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  // The list holds its rows itself (owner data), check states included.
  m_lstRecovered.SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
  // It asks for texts in UTF-16 (LVN_GETDISPINFOW), so that cells of any script show.
  m_lstRecovered.SendMessage(LVM_SETUNICODEFORMAT, TRUE);
  m_lstRecovered.SetMenuKeyHandler(std::move(onMenuKey));
}

void CResultsStep::Show(const tessel::recovery::WizardControls& shown) {
  auto show = [](CWnd& control, bool visible) { control.ShowWindow(visible ? SW_SHOW : SW_HIDE); };
  show(m_chkSelectAll, shown.list);
  show(m_lblSelectAll, shown.list);
  show(m_lstRecovered, shown.list);
  show(m_btnSave, shown.save);
}

void CResultsStep::SetColumns(const CPictureDialog& dialog) {
  // One repaint for all the columns, not one per column.
  m_lstRecovered.SendMessage(WM_SETREDRAW, FALSE);
  for (int count = m_lstRecovered.GetHeaderItemCount(); count > 0; --count) m_lstRecovered.DeleteColumn(0);
  if (!ScanningMessages()) {
    for (int column = 0; column < tessel::kContactCellCount; ++column)
      m_lstRecovered.InsertColumn(column, std::string(tessel::kContactColumns[static_cast<size_t>(column)].header),
                                  LVCFMT_LEFT, dialog.Scale(kContactColumnWidth));
  } else {
    for (size_t column = 0; column < kMessageColumns.size(); ++column)
      m_lstRecovered.InsertColumn(static_cast<int>(column), kMessageColumns[column].heading, LVCFMT_LEFT,
                                  dialog.Scale(kMessageColumns[column].width));
  }
  m_lstRecovered.SendMessage(WM_SETREDRAW, TRUE);
  ::RedrawWindow(m_lstRecovered.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CResultsStep::SetUpRowIcons(const CPictureDialog& dialog) {
  const int size = dialog.Scale(kRowIconSize);
  m_ImageList.DeleteImageList();
  m_ImageList.Create(size, size, ILC_COLOR16 | ILC_MASK, kRowIconsInitial, kRowIconsGrowth);
  for (UINT icon : {IDI_LIST_ITEM, IDI_LIST_ITEM_ALT}) {
    framework::UniqueIcon large(static_cast<HICON>(::LoadImageA(
        framework::ResourceModule(), MAKEINTRESOURCEA(icon), IMAGE_ICON, kRowIconSourceSize, kRowIconSourceSize, 0)));
    if (large) m_ImageList.Add(large.get());
  }
  m_lstRecovered.SetImageList(m_ImageList.m_hImageList, LVSIL_SMALL);
}

void CResultsStep::OnSelectAllCheck() { m_lstRecovered.SetAllChecked(m_chkSelectAll.GetCheck() == BST_CHECKED); }

int CResultsStep::ClickedRow(const NMITEMACTIVATE& click, bool& onCheckBox) {
  LVHITTESTINFO hit{};
  hit.pt = click.ptAction;
  const int row = static_cast<int>(m_lstRecovered.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  onCheckBox = row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) && !(hit.flags & LVHT_ONITEMICON);
  if (onCheckBox) m_lstRecovered.CheckBoxClicked(row);
  return row;
}

void CResultsStep::ShowPreviewMenu(POINT screen, HWND owner) {
  m_PopupMenu.CreatePopupMenu();
  m_PopupMenu.AppendMenu(MF_STRING, ID_PREVIEW_MAIL, "Preview Mail");
  m_PopupMenu.AppendMenu(MF_STRING, ID_VIEW_MESSAGE, "View message");
  m_PopupMenu.TrackPopupMenu(TPM_LEFTALIGN, screen.x, screen.y, owner);
}

LRESULT CResultsStep::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
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
