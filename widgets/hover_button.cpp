#include "widgets/hover_button.h"

#include <windowsx.h>

#include "win32_base/link_cursor.h"
#include "framework/module.h"

CHoverButton::~CHoverButton() {
  // The tool tip first, then the face; the base class's pictures last.
  m_ToolTip.DestroyWindow();
  m_FaceBitmap.reset();
}

bool CHoverButton::LoadFaceBitmap(UINT id) {
  SetFaceBitmap(static_cast<HBITMAP>(::LoadImageA(framework::ResourceModule(), MAKEINTRESOURCEA(id & 0xFFFF),
                                                  IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
  return true;
}

void CHoverButton::SetFaceBitmap(HBITMAP face) {
  m_FaceBitmap.reset(face);
  BITMAP info{};
  if (face && ::GetObjectA(face, sizeof info, &info)) {
    m_nFaceWidth = info.bmWidth;
    m_nFaceHeight = info.bmHeight;
  } else {
    m_nFaceWidth = m_nFaceHeight = 0;
  }
  SetWindowPos(nullptr, 0, 0, m_nFaceWidth, m_nFaceHeight, SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER);
}

void CHoverButton::EnableLinkCursor(const char* text) {
  if (!text) return;
  if (!m_hLinkCursor) m_hLinkCursor = framework::LoadLinkCursor();
}

void CHoverButton::EnsureToolTip() {
  if (m_ToolTip.m_hWnd) return;
  if (m_ToolTip.Create(m_hWnd, 0)) m_ToolTip.Activate(false);
}

void CHoverButton::SetTipText(const char* text, bool activate) {
  if (!text) return;
  EnsureToolTip();
  if (!m_ToolTip.m_hWnd) return;
  if (m_ToolTip.GetToolCount() == 0) m_ToolTip.AddTool(m_hWnd, kToolId, GetClientRect(), text);
  m_ToolTip.UpdateTipText(m_hWnd, kToolId, text);
  m_ToolTip.Activate(activate);
}

BOOL CHoverButton::PreTranslateMessage(MSG* msg) {
  EnsureToolTip();
  if (m_ToolTip.m_hWnd) m_ToolTip.RelayEvent(msg);
  return CBitmapButton::PreTranslateMessage(msg);
}

LRESULT CHoverButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      LRESULT result = DefWindowProc(message, wParam, lParam);
      OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return result;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_SETCURSOR:
      if (m_hLinkCursor) {
        ::SetCursor(m_hLinkCursor.get());
        return TRUE;
      }
      break;
    case WM_MOUSEHOVER:
      return 0;
    case WM_MOUSELEAVE:
      Invalidate();
      return 0;
    default:
      break;
  }
  return DefWindowProc(message, wParam, lParam);
}

void CHoverButton::OnMouseMove(UINT flags, POINT point) {
  bool leftHeld = (flags & MK_LBUTTON) != 0;
  // A drag that started elsewhere does not light the button.
  if (leftHeld && !m_bHover) return;
  HWND reference = ::GetWindow(m_hWnd, GW_OWNER);
  if (!reference) reference = GetParent();
  if (::GetCapture() != m_hWnd && reference) {
    m_bHover = 1;
    ::SetTimer(m_hWnd, kHoverTimer, kHoverTimerMs, nullptr);
    ::SetCapture(m_hWnd);
    Invalidate();
    return;
  }
  ::ClientToScreen(m_hWnd, &point);
  HWND under = ::WindowFromPoint(point);
  if (!under || under == m_hWnd) return;
  if (m_bHover) {
    m_bHover = 0;
    Invalidate();
  }
  if (!leftHeld) ::ReleaseCapture();
}

void CHoverButton::OnTimer(UINT_PTR id) {
  if (id != kHoverTimer) return;
  DWORD position = ::GetMessagePos();
  POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ::ScreenToClient(m_hWnd, &point);
  RECT client = GetClientRect();
  if (!::PtInRect(&client, point)) {
    m_bHover = 0;
    ::KillTimer(m_hWnd, kHoverTimer);
    Invalidate();
  }
}

bool CHoverButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  *result = TRUE;
  return true;
}

void CHoverButton::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (!m_FaceBitmap) return;
  framework::UniqueMemoryDC memory(::CreateCompatibleDC(item.hDC));
  if (!memory) return;
  framework::SelectGuard select(memory.get(), m_FaceBitmap.get());
  if (!select.ok()) return;
  // Every face holds a single picture, so a pressed button shows the same
  // picture rather than whatever lies to the right of it.
  ::BitBlt(item.hDC, 0, 0, m_nFaceWidth, m_nFaceHeight, memory.get(), 0, 0, SRCCOPY);
  // The picture has no face of its own for the focus: a dotted frame inside
  // it, unless the window hides focus until the keyboard is used.
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT frame = item.rcItem;
    ::InflateRect(&frame, -1, -1);
    ::DrawFocusRect(item.hDC, &frame);
  }
}
