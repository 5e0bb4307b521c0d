#include "framework/list_ctrl.h"

#include <vector>

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width) const {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(heading.c_str());
  column.iSubItem = index;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::GetHeaderItemCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int item, const std::string& text) const {
  LVITEMA row{};
  row.mask = LVIF_TEXT;
  row.iItem = item;
  row.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

bool CListCtrl::SetItemText(int item, int column, const std::string& text) const {
  LVITEMA cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<char*>(text.c_str());
  return SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)) != 0;
}

std::string CListCtrl::GetItemText(int item, int column) const {
  // The control copies at most the buffer's size; grow until the text fits.
  for (size_t size = 256; size <= (1u << 20); size *= 4) {
    std::vector<char> buffer(size, '\0');
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = buffer.data();
    cell.cchTextMax = static_cast<int>(size);
    LRESULT length = SendMessage(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
    if (length < 0) return {};
    if (static_cast<size_t>(length) + 1 < size) return std::string(buffer.data(), static_cast<size_t>(length));
  }
  return {};
}

bool CListCtrl::GetCheck(int item) const {
  LRESULT state = SendMessage(LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void CListCtrl::SetCheck(int item, bool checked) const {
  LVITEMA row{};
  row.stateMask = LVIS_STATEIMAGEMASK;
  row.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&row));
}
