#include "app/move_step.h"

#include <commctrl.h>

#include "framework/background.h"
#include "moving/move_words.h"
#include "res/resource.h"
#include "win32_base/wide_path.h"

namespace {
using tessel::moving::InputReport;

struct InputColumn {
  const char* heading;
  int width;
};
// Widths in pixels at 100%.
constexpr InputColumn kInputColumns[] = {{"Store or address book", 230}, {"Found", 100}, {"State", 170}};
constexpr int kFoundColumn = 1;
constexpr int kStateColumn = 2;

// Names are UTF-8 (they come from the folder's paths): the list gets them wide.
void SetCellText(const CListCtrl& list, int row, int column, const std::string& text) {
  std::wstring wide = tessel::WidePath(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  list.SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ShowInput(const CListCtrl& list, int row, const InputReport& input, bool ended = false) {
  SetCellText(list, row, kFoundColumn, tessel::moving::MoveFoundText(input));
  SetCellText(list, row, kStateColumn, tessel::moving::MoveStateText(input, ended));
}

void AppendInput(const CListCtrl& list, const InputReport& input) {
  std::wstring wide = tessel::WidePath(tessel::moving::MoveNameText(input));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = list.GetItemCount();
  item.pszText = wide.data();
  const int row = static_cast<int>(list.SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row >= 0) ShowInput(list, row, input);
}
}  // namespace

void CMoveStep::Bind(const CWnd& dialog) {
  m_lstInputs.SubclassDlgItem(IDC_INPUT_LIST, dialog);
  m_lnkExportFolder.SubclassDlgItem(IDC_EXPORT_FOLDER_LINK, dialog);
  m_lnkExportHelp.SubclassDlgItem(IDC_EXPORT_HELP_LINK, dialog);
}

void CMoveStep::SetUp(const CPictureDialog& dialog) {
  for (int column = 0; column < static_cast<int>(std::size(kInputColumns)); ++column)
    m_lstInputs.InsertColumn(column, kInputColumns[column].heading, LVCFMT_LEFT,
                             dialog.Scale(kInputColumns[column].width));
  m_lstInputs.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CMoveStep::Show(const tessel::recovery::WizardControls& shown) {
  auto show = [](CWnd& control, bool visible) { control.ShowWindow(visible ? SW_SHOW : SW_HIDE); };
  show(m_lstInputs, shown.inputs);
  // The help on importing may be read while the move runs; the folder
  // link leads to what it wrote, once it has ended.
  show(m_lnkExportHelp, shown.inputs);
  show(m_lnkExportFolder, shown.inputs && shown.back);
}

void CMoveStep::Begin(const std::string& output) {
  m_lstInputs.SendMessage(LVM_DELETEALLITEMS);
  m_strExportFolder = output;
}

void CMoveStep::ShowPlanned(const std::vector<InputReport>& inputs) {
  for (const InputReport& input : inputs) AppendInput(m_lstInputs, input);
}

void CMoveStep::ShowChange(const ExportInputChange& change) {
  const int row = static_cast<int>(change.index);
  ShowInput(m_lstInputs, row, *change.input);
  m_lstInputs.SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CMoveStep::ShowEnd(const tessel::moving::IdentityExportResult& result) {
  // Those a stop left waiting, say, were never begun.
  for (size_t i = 0; i < result.inputs.size(); ++i) ShowInput(m_lstInputs, static_cast<int>(i), result.inputs[i], true);
  // The move's own subfolder, which the link below the rows opens.
  if (result.refused.empty()) m_strExportFolder = result.outFolder;
}

LRESULT CMoveStep::PaintUnderLink(HDC dc) {
  // The picture there is white, or in high contrast the window colour.
  if (framework::HighContrastOn()) {
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
  }
  ::SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
  return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}
