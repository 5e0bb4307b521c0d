// One owner per GDI (and related) handle type, so that every handle a window
// or a drawing makes is released on every path, and a guard that puts back
// what SelectObject replaced. Handles passed in by a caller are never wrapped
// in an owner: they stay plain handles.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace framework {

// Hands a handle to the platform function that releases it.
template <auto Release>
struct ReleaseWith {
  template <typename Handle>
  void operator()(Handle handle) const {
    Release(handle);
  }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, ReleaseWith<::DeleteObject>>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, ReleaseWith<::DeleteObject>>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, ReleaseWith<::DeleteObject>>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ReleaseWith<::DeleteObject>>;
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, ReleaseWith<::DeleteObject>>;
using UniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, ReleaseWith<::DeleteDC>>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, ReleaseWith<::DestroyIcon>>;
using UniqueCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, ReleaseWith<::DestroyCursor>>;
// A library loaded for its resources.
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ReleaseWith<::FreeLibrary>>;
using UniqueKernelHandle = std::unique_ptr<void, ReleaseWith<::CloseHandle>>;

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

// The device context of a window's client area (a null window: the screen's),
// borrowed for a scope.
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
