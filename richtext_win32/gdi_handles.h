#pragma once
// Owners for the GDI handles the drawing surface makes, one type per kind of
// handle, and a guard that puts back what SelectObject replaced. Handles a
// caller passes in are borrowed: they stay plain handles and are never released.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <type_traits>

namespace tessel {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct IconDeleter {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct LibraryDeleter {
  void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

using GdiFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using GdiPen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using GdiBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using GdiBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using GdiRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectDeleter>;
using GdiMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;
using GdiIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
// A library loaded for its resources.
using LoadedLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

// Selects `object` into `dc` for the guard's lifetime, then selects back the
// object it replaced (before the owner of `object` deletes it).
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~GdiSelection() {
    if (ok()) ::SelectObject(dc_, previous_);
  }
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tessel
