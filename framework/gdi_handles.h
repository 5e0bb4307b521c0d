// One owner per GDI (and related) handle type, so that every handle a window
// or a drawing makes is released on every path, and a guard that puts back
// what SelectObject replaced. Handles passed in by a caller are never wrapped
// in an owner: they stay plain handles. The drawing side (draw_win32/) uses
// these as well, so this header builds on <windows.h> alone.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace framework {

struct GdiObjectRelease {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct MemoryDCRelease {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct IconRelease {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct CursorRelease {
  void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};
struct ModuleRelease {
  void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
struct KernelHandleRelease {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectRelease>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectRelease>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectRelease>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectRelease>;
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectRelease>;
using UniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCRelease>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconRelease>;
using UniqueCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorRelease>;
// A library loaded for its resources.
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease>;
using UniqueKernelHandle = std::unique_ptr<void, KernelHandleRelease>;

// Selects `object` into `dc` for the guard's lifetime, then selects back the
// object it replaced (before the owner of `object` deletes it).
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (ok()) ::SelectObject(m_dc, m_previous);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  bool ok() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// The device context of a window's client area, borrowed for a scope.
class ClientDC {
 public:
  explicit ClientDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
  ~ClientDC() {
    if (m_dc) ::ReleaseDC(m_window, m_dc);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC get() const { return m_dc; }

 private:
  HWND m_window;
  HDC m_dc;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
  ~PaintDC() { ::EndPaint(m_window, &m_paint); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return m_dc; }

 private:
  HWND m_window;
  PAINTSTRUCT m_paint{};
  HDC m_dc;
};

}  // namespace framework
