#include "widgets/transparent_static.h"

LRESULT CTransparentStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SETTEXT) return CStatic::WindowProc(message, wParam, lParam);
  LRESULT result = DefWindowProc(message, wParam, lParam);
  HWND parent = GetParent();
  if (parent) {
    RECT area = GetWindowRect();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
    ::UpdateWindow(parent);
  }
  return result;
}

bool CTransparentStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
  return true;
}
