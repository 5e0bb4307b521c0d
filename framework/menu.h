// CMenu: a popup menu owned by the wrapper.
#pragma once

#include <windows.h>

#include <string>

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  bool CreatePopupMenu();
  bool AppendMenu(UINT flags, UINT_PTR id, const std::string& text) const;
  // Shows the menu at a screen position; the chosen command goes to `owner`.
  BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) const;
  void DestroyMenu();

  HMENU m_hMenu = nullptr;
};
