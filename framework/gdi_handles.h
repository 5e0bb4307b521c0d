// One owner per GDI (and related) handle type, so that every handle a drawing
// makes is released on every path, and a guard that puts back what
// SelectObject replaced. Handles passed in by a caller are never wrapped in an
// owner: they stay plain handles.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "richtext_win32/gdi_handles.h"

namespace framework {

// The owners and the selection guard are the drawing surface's; the window
// layer adds the handle kinds only windows use.
struct CursorRelease {
  void operator()(HCURSOR h) const { ::DestroyCursor(h); }
};
struct KernelHandleRelease {
  void operator()(HANDLE h) const { ::CloseHandle(h); }
};

using UniqueBitmap = tessel::GdiBitmap;
using UniqueBrush = tessel::GdiBrush;
using UniqueFont = tessel::GdiFont;
using UniqueMemoryDC = tessel::GdiMemoryDc;
using UniqueIcon = tessel::GdiIcon;
using UniqueCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorRelease>;
using UniqueModule = tessel::LoadedLibrary;
using UniqueKernelHandle = std::unique_ptr<void, KernelHandleRelease>;

// Selects an object into a device context for the guard's lifetime.
using SelectGuard = tessel::GdiSelection;

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
