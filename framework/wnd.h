// CWnd: a thin wrapper around one window handle. A wrapper either attaches to a
// window it created (Attach) or subclasses a window of a dialog template
// (SubclassDlgItem), after which the window's messages reach the virtual
// WindowProc and the window finds its wrapper again (FromHandle).
#pragma once

#include <windows.h>

#include <string>

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The wrapper attached to `window`, or null for a window without one.
  static CWnd* FromHandle(HWND window);

  void Attach(HWND window);
  HWND Detach();
  bool SubclassWindow(HWND window);
  bool SubclassDlgItem(int id, const CWnd& parent);
  HWND UnsubclassWindow();
  BOOL DestroyWindow();

  // Offered every queued message for this window before it is dispatched
  // (framework/message_pump.h); true consumes it.
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual const char* GetRuntimeClassName() const { return "CWnd"; }
  // A message the parent received about this control (colour query, owner
  // drawing), handed to the control; true when the control answered it.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  HWND GetParent() const { return ::GetParent(m_hWnd); }
  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  void EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable); }
  bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
  void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
  std::string GetWindowText() const;
  void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
  RECT GetClientRect() const;
  RECT GetWindowRect() const;
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
  }

  HWND m_hWnd = nullptr;

 protected:
  // Messages of a subclassed window; the default hands them to the window's
  // own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own procedure (the one replaced by subclassing).
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  void SetHandleProperty(HWND window);
  void RemoveHandleProperty();

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC m_pfnSuper = nullptr;
};
