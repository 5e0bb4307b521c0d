#pragma once
// A 32-bit top-down DIB section selected into its own memory device context:
// the bridge between a PixelImage (same pixel layout, 0xAARRGGBB rows with no
// padding) and GDI's blits.

#include "draw/pixel_image.h"
#include "win32_base/gdi_handles.h"

#include <optional>

namespace tessel {

class GdiDib {
 public:
  // A section of the given size compatible with `dc`; check ok() before use.
  GdiDib(HDC dc, int width, int height);
  GdiDib(const GdiDib&) = delete;
  GdiDib& operator=(const GdiDib&) = delete;

  bool ok() const { return bits_ != nullptr && selection_ && selection_->ok(); }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Copies between the section and an image of the same size (GDI work is
  // flushed first, so that the pixels are current).
  void Store(const PixelImage& image);
  PixelImage Load() const;

 private:
  int width_;
  int height_;
  void* bits_ = nullptr;
  framework::UniqueMemoryDC dc_;
  framework::UniqueBitmap bitmap_;
  std::optional<framework::SelectGuard> selection_;  // destroyed first: deselects before the bitmap goes
};

}  // namespace tessel
