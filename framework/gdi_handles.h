// One owner per GDI (and related) handle type, so that every handle a drawing
// makes is released on every path, and a guard that puts back what
// SelectObject replaced. Handles passed in by a caller are never wrapped in an
// owner: they stay plain handles.
#pragma once

#include <windows.h>

namespace framework {

template <typename Handle, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : m_handle(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  Handle release() {
    Handle handle = m_handle;
    m_handle = nullptr;
    return handle;
  }
  void reset(Handle handle = nullptr) {
    if (m_handle) Release()(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle = nullptr;
};

struct GdiObjectRelease { void operator()(HGDIOBJ h) const { ::DeleteObject(h); } };
struct MemoryDCRelease { void operator()(HDC h) const { ::DeleteDC(h); } };
struct IconRelease { void operator()(HICON h) const { ::DestroyIcon(h); } };
struct CursorRelease { void operator()(HCURSOR h) const { ::DestroyCursor(h); } };
struct ModuleRelease { void operator()(HMODULE h) const { ::FreeLibrary(h); } };
struct KernelHandleRelease { void operator()(HANDLE h) const { ::CloseHandle(h); } };

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectRelease>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectRelease>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectRelease>;
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCRelease>;
using UniqueIcon = UniqueHandle<HICON, IconRelease>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorRelease>;
using UniqueModule = UniqueHandle<HMODULE, ModuleRelease>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleRelease>;

// Selects an object into a device context for the guard's lifetime.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
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
