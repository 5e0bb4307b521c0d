#include "app/recovered_list_ctrl.h"

#include "app/thread_messages.h"
#include "export/contact_formats.h"
#include "recovery/readable_cells.h"
#include "recovery/row_cells.h"
#include "recovery/row_kinds.h"
#include "win32_base/wide_path.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace {
// State images of the list's check boxes.
constexpr UINT kUnchecked = 1;
constexpr UINT kChecked = 2;

UINT StateImage(UINT state) { return (state & LVIS_STATEIMAGEMASK) >> 12; }

// `text`, read in `codePage`, into the list view's buffer of `size` units, cut
// to fit (a conversion into too small a buffer would give nothing at all).
void CopyWide(const std::string& text, UINT codePage, wchar_t* buffer, int size) {
  std::wstring wide(text.size(), L'\0');  // never more UTF-16 units than bytes
  const int converted = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                              static_cast<int>(wide.size()));
  int length = std::clamp(converted, 0, size - 1);
  // A character above U+FFFF is not cut in two.
  if (length > 0 && length < converted && IS_HIGH_SURROGATE(wide[static_cast<size_t>(length) - 1])) --length;
  std::wmemcpy(buffer, wide.data(), static_cast<size_t>(length));
  buffer[length] = L'\0';
}
}  // namespace

std::string CRecoveredListCtrl::RowKeys::SortKey(int row, int column) const {
  // Date by the message's time in UTC, whose text order is its time order.
  if (m_list.Message(row) != nullptr && column == tessel::kDateCell) return std::string(m_list.DateUtc(row));
  return m_list.Cell(row, column);
}

bool CRecoveredListCtrl::RowKeys::IsTimeColumn(int column) const {
  return m_list.m_mode != tessel::ScanMode::kAddressBook && column == tessel::kDateCell;
}

void CRecoveredListCtrl::RowKeys::SearchTexts(int row, std::vector<std::string_view>& texts) const {
  if (m_list.Message(row) != nullptr) {
    for (int column : {tessel::kFromCell, tessel::kSubjectCell, tessel::kToCell})
      texts.push_back(m_list.ReadableCell(row, column));
  } else if (const tessel::ContactRow* contact = m_list.Contact(row)) {
    for (std::size_t cell = 0; cell < contact->cells.size(); ++cell) texts.push_back(contact->cells[cell]);
  }
}

std::string CRecoveredListCtrl::Cell(int row, int column) const {
  if (const tessel::MessageRow* message = Message(row)) {
    if (column >= 0 && column < tessel::kHeaderCellCount) return std::string(ReadableCell(row, column));
    return tessel::recovery::MessageCell(*message, m_mode, column);
  }
  const tessel::ContactRow* contact = Contact(row);
  return contact != nullptr && column >= 0 ? std::string(contact->cells[static_cast<size_t>(column)]) : std::string();
}

std::string_view CRecoveredListCtrl::ReadableCell(int row, int column) const {
  if (row < 0 || static_cast<size_t>(row) >= m_readable.size() || column < 0 || column >= tessel::kHeaderCellCount)
    return {};
  return m_readable[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

std::string_view CRecoveredListCtrl::DateUtc(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= m_readable.size()) return {};
  return m_readable[static_cast<size_t>(row)][tessel::recovery::kDateUtcCell];
}

const tessel::MessageRow* CRecoveredListCtrl::Message(int row) const {
  return row >= 0 && static_cast<size_t>(row) < m_messages.size() ? &m_messages[static_cast<size_t>(row)] : nullptr;
}

const tessel::ContactRow* CRecoveredListCtrl::Contact(int row) const {
  return row >= 0 && static_cast<size_t>(row) < m_contacts.size() ? &m_contacts[static_cast<size_t>(row)] : nullptr;
}

bool CRecoveredListCtrl::IsChecked(int row) const {
  return row >= 0 && row < RowCount() && m_checked[static_cast<size_t>(row)] != 0;
}

void CRecoveredListCtrl::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount()) return;
  m_checked[static_cast<size_t>(row)] = checked ? 1 : 0;
  RedrawRow(row);
}

void CRecoveredListCtrl::SetAllChecked(bool checked) {
  std::fill(m_checked.begin(), m_checked.end(), checked ? 1 : 0);
  Invalidate(false);
}

std::vector<int> CRecoveredListCtrl::CheckedRows() const {
  std::vector<int> rows;
  for (size_t row = 0; row < m_checked.size(); ++row)
    if (m_checked[row]) rows.push_back(static_cast<int>(row));
  return rows;
}

int CRecoveredListCtrl::FirstCheckedRow() const {
  auto found = std::find(m_checked.begin(), m_checked.end(), 1);
  return found == m_checked.end() ? -1 : static_cast<int>(found - m_checked.begin());
}

int CRecoveredListCtrl::FocusedRow() const {
  return RowAt(static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

bool CRecoveredListCtrl::IsSelected(int row) const {
  const int position = PositionOf(row);
  return position >= 0 && SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_SELECTED) != 0;
}

void CRecoveredListCtrl::FocusRow(int row) {
  const int position = PositionOf(row);
  if (position < 0) return;
  LVITEMA item{};
  item.state = item.stateMask = LVIS_FOCUSED;
  SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
  SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
}

void CRecoveredListCtrl::SelectAllShown() {
  LVITEMA item{};
  item.state = item.stateMask = LVIS_SELECTED;
  SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void CRecoveredListCtrl::SortByColumn(int column) {
  m_view.SortBy(m_keys, column);
  ShowNewOrder();
}

void CRecoveredListCtrl::Search(const std::string& text) {
  // Contacts' cells are the address book's bytes, text of the code page: the
  // typed text is looked for as those bytes (a letter the code page lacks
  // is in no contact, and the UTF-8 text finds none).
  std::string needle = text;
  if (m_mode == tessel::ScanMode::kAddressBook && !text.empty()) {
    const std::wstring wide = tessel::WidePath(text);
    BOOL lacking = FALSE;
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, &lacking);
    if (size > 0 && !lacking) {
      needle.assign(static_cast<std::size_t>(size), '\0');
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), needle.data(), size, nullptr,
                            nullptr);
    }
  }
  m_view.Search(m_keys, needle);
  ShowNewOrder();
}

void CRecoveredListCtrl::RefreshView() {
  if (m_view.SortedColumn() == tessel::recovery::ListViewOrder::kNoColumn && !m_view.Searching()) return;
  m_view.Refresh(m_keys);
  ShowNewOrder();
}

int CRecoveredListCtrl::HiddenCheckedCount() const {
  int hidden = 0;
  for (size_t row = 0; row < m_checked.size(); ++row)
    hidden += m_checked[row] != 0 && PositionOf(static_cast<int>(row)) < 0;
  return hidden;
}

std::string CRecoveredListCtrl::RowKindsNote() const {
  tessel::recovery::RowKinds kinds;
  // Only the deep scan says where a row comes from.
  if (m_mode == tessel::ScanMode::kDeep) {
    for (const tessel::MessageRow& message : m_messages) {
      kinds.storeOnly += message.origin == tessel::Origin::kStore;
      kinds.unclaimed += message.origin == tessel::Origin::kUnclaimed;
    }
  }
  for (const tessel::ContactRow& contact : m_contacts)
    kinds.blankContacts += tessel::exporting::IsBlankContact(contact.cells);
  return tessel::recovery::DescribeRowKinds(kinds);
}

void CRecoveredListCtrl::ShowNewOrder() {
  // Selection and focus belong to places, which now show other rows.
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  UpdateItemCount(false);
  ShowSortArrow();
  Invalidate(false);
}

void CRecoveredListCtrl::ShowSortArrow() const {
  const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  const int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < columns; ++column) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    ::SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == m_view.SortedColumn()) item.fmt |= m_view.Ascending() ? HDF_SORTUP : HDF_SORTDOWN;
    ::SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  }
}

void CRecoveredListCtrl::ToggleChecksFromKeyboard() {
  const int focused = FocusedRow();
  if (focused < 0 || focused >= RowCount()) return;
  const bool checked = !IsChecked(focused);
  if (IsSelected(focused)) {
    for (int position = -1; (position = static_cast<int>(
                                 SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(position), LVNI_SELECTED))) >= 0;)
      SetChecked(RowAt(position), checked);
  }
  SetChecked(focused, checked);
}

void CRecoveredListCtrl::DeleteAllRows() {
  m_messages.clear();
  m_readable.clear();
  m_contacts.clear();
  m_checked.clear();
  m_view.Reset(m_keys);
  UpdateItemCount(false);
  ShowSortArrow();
}

void CRecoveredListCtrl::UpdateItemCount(bool keepView) {
  // Rows added at the end repaint only where they show; the control sees to that.
  SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(ShownCount()),
              keepView ? (LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) : 0);
}

void CRecoveredListCtrl::RedrawRow(int row) const {
  // Where it shows; a row the search hides is drawn when it shows again.
  const int position = PositionOf(row);
  if (position >= 0) SendMessage(LVM_REDRAWITEMS, position, position);
}

void CRecoveredListCtrl::AddMessages(std::vector<tessel::MessageRow>& rows, std::vector<tessel::CellRow>& readable) {
  const int first = RowCount();
  m_messages.insert(m_messages.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
  m_readable.insert(m_readable.end(), std::make_move_iterator(readable.begin()),
                    std::make_move_iterator(readable.end()));
  m_readable.resize(m_messages.size());
  m_checked.resize(m_messages.size(), 0);
  m_view.Append(m_keys, first, RowCount());
  UpdateItemCount(true);
  if (m_onRowsAdded) m_onRowsAdded();
}

void CRecoveredListCtrl::AddContacts(std::vector<tessel::ContactRow>& rows) {
  // The list shows the last contact of a book first.
  m_contacts.insert(m_contacts.begin(), std::make_move_iterator(rows.rbegin()), std::make_move_iterator(rows.rend()));
  m_checked.insert(m_checked.begin(), rows.size(), 0);
  // Every row's number moved: the order is made again (a book holds few).
  m_view.Refresh(m_keys);
  UpdateItemCount(true);
  // Every row shown moved down.
  Invalidate(false);
  if (m_onRowsAdded) m_onRowsAdded();
}

LRESULT CRecoveredListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsThreadMessage(message, ThreadMessage::kAddMessages)) {
    MessageBatch& batch = ThreadMessagePayload<ThreadMessage::kAddMessages>(lParam);
    AddMessages(batch.rows, batch.readable);
    return 0;
  }
  if (IsThreadMessage(message, ThreadMessage::kAddContacts)) {
    AddContacts(ThreadMessagePayload<ThreadMessage::kAddContacts>(lParam));
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      TrackTip(message, wParam, lParam);
      return CListCtrl::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      TrackTip(message, wParam, lParam);
      // A toggle the list view makes while handling this press belongs to it.
      m_nToggledByList = -1;
      return CListCtrl::WindowProc(message, wParam, lParam);
    // The list view's own Space toggles only the focused row, and a check
    // box it draws from our rows; the keys are answered here instead.
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        ToggleChecksFromKeyboard();
        return 0;
      }
      if (wParam == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        SelectAllShown();
        return 0;
      }
      // Enter acts on its character below.
      if (wParam == VK_RETURN) return 0;
      return CListCtrl::WindowProc(message, wParam, lParam);
    case WM_CHAR:
      // Space's character would start the list view's search by typing; Ctrl+A's is its own.
      if (wParam == ' ' || wParam == 1) return 0;
      // Enter opens the menu on its character, which would otherwise reach
      // the menu's own loop and close it at once.
      if (wParam == '\r' && m_onMenuKey) {
        m_onMenuKey(FocusedRow());
        return 0;
      }
      return CListCtrl::WindowProc(message, wParam, lParam);
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000) && m_onMenuKey) {
        m_onMenuKey(FocusedRow());
        return 0;
      }
      return CListCtrl::WindowProc(message, wParam, lParam);
    case WM_CONTEXTMENU:
      // From the keyboard (the Menu key) the position is -1, -1.
      if (lParam == -1 && m_onMenuKey) {
        m_onMenuKey(FocusedRow());
        return 0;
      }
      return CListCtrl::WindowProc(message, wParam, lParam);
    case LVM_DELETEALLITEMS:
      DeleteAllRows();
      return TRUE;
    default:
      return CListCtrl::WindowProc(message, wParam, lParam);
  }
}

void CRecoveredListCtrl::MarkRows(std::vector<RowMark> marks) {
  m_marks = std::move(marks);
  m_nTipRow = -1;
  if (m_ToolTip.Create(m_hWnd, TTS_ALWAYSTIP) && m_ToolTip.GetToolCount() == 0)
    m_ToolTip.AddTool(m_hWnd, kRowTipTool, GetClientRect(), "");
  m_ToolTip.UpdateTipText(m_hWnd, kRowTipTool, "");
}

const CRecoveredListCtrl::RowMark* CRecoveredListCtrl::MarkOf(int row) const {
  const tessel::MessageRow* message = m_mode == tessel::ScanMode::kDeep ? Message(row) : nullptr;
  if (message == nullptr) return nullptr;
  for (const RowMark& mark : m_marks)
    if (message->origin == mark.origin) return &mark;
  return nullptr;
}

int CRecoveredListCtrl::RowImage(int row) const {
  if (Contact(row) != nullptr) return kContactImage;
  const RowMark* mark = MarkOf(row);
  return mark != nullptr ? mark->image : kMessageImage;
}

void CRecoveredListCtrl::TrackTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_ToolTip.m_hWnd) return;
  MSG relayed{m_hWnd, message, wParam, lParam, 0, {}};
  m_ToolTip.RelayEvent(&relayed);
  if (message != WM_MOUSEMOVE) return;
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const int row = RowAt(static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
  const RowMark* mark = MarkOf(row);
  const int tipRow = mark != nullptr ? row : -1;
  if (tipRow == m_nTipRow) return;
  // A new row: the shown tip goes, and comes back for a marked row after the usual wait.
  m_nTipRow = tipRow;
  m_ToolTip.SendMessage(TTM_POP);
  m_ToolTip.UpdateTipText(m_hWnd, kRowTipTool, mark != nullptr ? mark->tip : "");
}

void CRecoveredListCtrl::CheckBoxClicked(int row) {
  if (m_nToggledByList != row) SetChecked(row, !IsChecked(row));
  m_nToggledByList = -1;
}

bool CRecoveredListCtrl::HandleNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      LVITEMA& item = info->item;
      const int row = RowAt(item.iItem);
      if (row < 0) return true;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string text = Cell(row, item.iSubItem);
        if (header->code == LVN_GETDISPINFOA) {
          size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
          std::memcpy(item.pszText, text.data(), length);
          item.pszText[length] = '\0';
        } else {
          // Message cells are UTF-8; contacts are the address book's bytes in the system's code page.
          CopyWide(text, Message(row) != nullptr ? CP_UTF8 : CP_ACP, reinterpret_cast<wchar_t*>(item.pszText),
                   item.cchTextMax);
        }
      }
      if (item.mask & LVIF_IMAGE) item.iImage = RowImage(row);
      if (item.mask & LVIF_STATE) {
        item.state =
            (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(IsChecked(row) ? kChecked : kUnchecked);
        item.stateMask |= LVIS_STATEIMAGEMASK;
      }
      *result = 0;
      return true;
    }
    case LVN_ITEMCHANGED: {
      // The list view toggling a check box (a click on it, the space key, or
      // LVM_SETITEMSTATE): the row keeps the new state.
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_STATEIMAGEMASK)) return false;
      UINT image = StateImage(change->uNewState);
      if (image != kChecked && image != kUnchecked) return false;
      if (change->iItem == -1) {
        SetAllChecked(image == kChecked);
      } else if (const int row = RowAt(change->iItem); row >= 0) {
        SetChecked(row, image == kChecked);
        m_nToggledByList = row;
      }
      *result = 0;
      return true;
    }
    default:
      return false;
  }
}
