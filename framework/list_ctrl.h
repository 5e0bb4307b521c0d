// CListCtrl: the list view control, as thin as the other control wrappers.
// Safe to call from the scan worker: every call is a message sent to the
// control, so the window's thread carries it out.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

class CListCtrl : public CWnd {
 public:
  int InsertColumn(int index, const std::string& heading, int format, int width) const;
  bool DeleteColumn(int index) const { return SendMessage(LVM_DELETECOLUMN, index) != 0; }
  int GetHeaderItemCount() const;
  DWORD SetExtendedStyle(DWORD style) const {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
  }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  HIMAGELIST SetImageList(HIMAGELIST list, int which) const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int which) const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, which));
  }
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(int item, const std::string& text) const;
  bool SetItemText(int item, int column, const std::string& text) const;
  std::string GetItemText(int item, int column) const;
  bool GetCheck(int item) const;
  void SetCheck(int item, bool checked) const;
  const char* GetRuntimeClassName() const override { return "CListCtrl"; }
};
