#include "framework/menu.h"

bool CMenu::CreatePopupMenu() {
  DestroyMenu();
  m_hMenu = ::CreatePopupMenu();
  return m_hMenu != nullptr;
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text) const {
  return m_hMenu && ::AppendMenuA(m_hMenu, flags, id, (flags & MF_SEPARATOR) ? nullptr : text.c_str());
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
  return m_hMenu ? ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr) : FALSE;
}

void CMenu::DestroyMenu() {
  if (m_hMenu) ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
}
