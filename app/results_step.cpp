// The results step's controls: the list's two column sets, its row icons,
// select-all, the preview menu, and the colours of checked rows.
#include "app/results_step.h"

#include <string>
#include <utility>

#include "app/list_columns.h"
#include "app/scan_state.h"
#include "engine/address_book_scan.h"
#include "framework/background.h"
#include "framework/module.h"
#include "recovery/row_cells.h"
#include "res/resource.h"
#include "win32_base/gdi_handles.h"
#include "win32_base/wide_path.h"

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

// What the search box looks in, shown in it while it is empty.
constexpr wchar_t kMessageSearchCue[] = L"From, Subject or To";
constexpr wchar_t kContactSearchCue[] = L"Any field";

// A message found only in the store: the envelope with a red dot at its corner.
void AddStoreOnlyImage(CImageList& images, HICON envelope, int size) {
  constexpr COLORREF kMaskColour = RGB(0xFF, 0x00, 0xFF);
  framework::ClientDC screen(nullptr);
  framework::UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
  framework::UniqueBitmap picture(::CreateCompatibleBitmap(screen.get(), size, size));
  if (!memory || !picture) return;
  {
    framework::SelectGuard select(memory.get(), picture.get());
    RECT all{0, 0, size, size};
    framework::UniqueBrush mask(::CreateSolidBrush(kMaskColour));
    ::FillRect(memory.get(), &all, mask.get());
    ::DrawIconEx(memory.get(), 0, 0, envelope, size, size, 0, nullptr, DI_NORMAL);
    framework::UniqueBrush red(::CreateSolidBrush(kRed));
    framework::SelectGuard brush(memory.get(), red.get());
    framework::SelectGuard pen(memory.get(), ::GetStockObject(WHITE_PEN));
    const int dot = size / 2 + 1;
    ::Ellipse(memory.get(), size - dot, size - dot, size, size);
  }
  ImageList_AddMasked(images.m_hImageList, picture.get(), kMaskColour);
}

}  // namespace

void CResultsStep::Bind(const CWnd& dialog) {
  m_lstRecovered.SubclassDlgItem(IDC_LIST, dialog);
  m_chkSelectAll.SubclassDlgItem(IDC_SELECT_ALL, dialog);
  m_lblSelectAll.SubclassDlgItem(IDC_SELECT_ALL_LABEL, dialog);
  m_btnSave.SubclassDlgItem(IDC_SAVE, dialog);
  m_lblSearch.SubclassDlgItem(IDC_SEARCH_LABEL, dialog);
  m_edtSearch.SubclassDlgItem(IDC_SEARCH, dialog);
  m_lnkPrefix.SubclassDlgItem(IDC_PREFIX_LINK, dialog);
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
  // Names for screen readers: the box draws no text of its own (its label
  // stands beside it), the list none at all.
  m_chkSelectAll.SetWindowText("Select All");
  m_lstRecovered.SetWindowText("Recovered items");
}

void CResultsStep::Show(const tessel::recovery::WizardControls& shown) {
  auto show = [](CWnd& control, bool visible) { control.ShowWindow(visible ? SW_SHOW : SW_HIDE); };
  show(m_chkSelectAll, shown.list);
  show(m_lblSelectAll, shown.list);
  show(m_lstRecovered, shown.list);
  show(m_lblSearch, shown.list);
  show(m_edtSearch, shown.list);
  show(m_btnSave, shown.save);
  // The prefix names message files only; contacts go to AddBook.txt and AddBook.vcf.
  show(m_lnkPrefix, shown.save && ScanningMessages());
}

void CResultsStep::Clear() {
  m_lstRecovered.DeleteAllRows();
  m_edtSearch.SetWindowText("");
}

void CResultsStep::OnSearchChanged() {
  wchar_t text[256] = {};
  ::GetWindowTextW(m_edtSearch.m_hWnd, text, static_cast<int>(std::size(text)));
  m_lstRecovered.Search(tessel::Utf8OfWide(text));
}

void CResultsStep::ShowFilePrefix(const std::string& prefix) {
  const std::wstring text = L"Saved as " + tessel::WidePath(prefix) + L"0001.eml, ...  <a>Change the name</a>";
  ::SetWindowTextW(m_lnkPrefix.m_hWnd, text.c_str());
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
  m_edtSearch.SendMessage(EM_SETCUEBANNER, TRUE,
                          reinterpret_cast<LPARAM>(ScanningMessages() ? kMessageSearchCue : kContactSearchCue));
  ::RedrawWindow(m_lstRecovered.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CResultsStep::SetUpRowIcons(const CPictureDialog& dialog) {
  const int size = dialog.Scale(kRowIconSize);
  m_ImageList.DeleteImageList();
  m_ImageList.Create(size, size, ILC_COLOR16 | ILC_MASK, kRowIconsInitial, kRowIconsGrowth);
  // In CRecoveredListCtrl's image order: a message, a contact, a message found only in the store.
  framework::UniqueIcon envelope;
  for (UINT icon : {IDI_LIST_ITEM, IDI_LIST_ITEM_ALT}) {
    framework::UniqueIcon large(static_cast<HICON>(::LoadImageA(
        framework::ResourceModule(), MAKEINTRESOURCEA(icon), IMAGE_ICON, kRowIconSourceSize, kRowIconSourceSize, 0)));
    if (large) m_ImageList.Add(large.get());
    if (icon == IDI_LIST_ITEM) envelope = std::move(large);
  }
  if (envelope) AddStoreOnlyImage(m_ImageList, envelope.get(), size);
  m_lstRecovered.SetImageList(m_ImageList.m_hImageList, LVSIL_SMALL);
}

void CResultsStep::OnSelectAllCheck() { m_lstRecovered.SetAllChecked(m_chkSelectAll.GetCheck() == BST_CHECKED); }

int CResultsStep::ClickedRow(const NMITEMACTIVATE& click, bool& onCheckBox) {
  LVHITTESTINFO hit{};
  hit.pt = click.ptAction;
  const int row = m_lstRecovered.RowAt(
      static_cast<int>(m_lstRecovered.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
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
      const int row = m_lstRecovered.RowAt(static_cast<int>(draw.nmcd.dwItemSpec));
      const std::string mark = m_lstRecovered.Cell(row, kMarkColumn);
      if (framework::HighContrastOn()) {
        // The system's colours: a checked row as the system marks a selection.
        const bool checked = m_lstRecovered.IsChecked(row);
        draw.clrText = ::GetSysColor(checked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        draw.clrTextBk = ::GetSysColor(checked ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        return CDRF_DODEFAULT;
      }
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
