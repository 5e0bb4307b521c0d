#include "framework/wnd.h"

#include <vector>

namespace {
// The window property that leads from a window to its wrapper.
constexpr char kWrapperProperty[] = "OxbrimTesselWnd";
}  // namespace

CWnd::~CWnd() {
  if (m_pfnSuper)
    UnsubclassWindow();
  else
    RemoveHandleProperty();
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  return static_cast<CWnd*>(::GetPropA(window, kWrapperProperty));
}

void CWnd::SetHandleProperty(HWND window) {
  m_hWnd = window;
  ::SetPropA(window, kWrapperProperty, this);
}

void CWnd::RemoveHandleProperty() {
  if (m_hWnd && FromHandle(m_hWnd) == this) ::RemovePropA(m_hWnd, kWrapperProperty);
}

void CWnd::Attach(HWND window) { SetHandleProperty(window); }

HWND CWnd::Detach() {
  RemoveHandleProperty();
  HWND window = m_hWnd;
  m_hWnd = nullptr;
  return window;
}

bool CWnd::SubclassWindow(HWND window) {
  if (!window || m_hWnd || FromHandle(window)) return false;
  SetHandleProperty(window);
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  if (!m_pfnSuper) {
    Detach();
    return false;
  }
  return true;
}

bool CWnd::SubclassDlgItem(int id, const CWnd& parent) { return SubclassWindow(::GetDlgItem(parent.m_hWnd, id)); }

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd && m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND window = m_hWnd;
  BOOL destroyed = ::DestroyWindow(window);
  // A subclassed window lets go of its wrapper at WM_NCDESTROY; an attached
  // one is detached here.
  if (m_hWnd == window) Detach();
  return destroyed;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

std::string CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

RECT CWnd::GetClientRect() const {
  RECT rect{};
  ::GetClientRect(m_hWnd, &rect);
  return rect;
}

RECT CWnd::GetWindowRect() const {
  RECT rect{};
  ::GetWindowRect(m_hWnd, &rect);
  return rect;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(message, wParam, lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandle(window);
  if (!self || !self->m_pfnSuper) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes away: give it back its own procedure and free the wrapper.
    WNDPROC super = self->m_pfnSuper;
    self->UnsubclassWindow();
    return ::CallWindowProcW(super, window, message, wParam, lParam);
  }
  return self->WindowProc(message, wParam, lParam);
}
