#include "draw_win32/gdi_dib.h"

#include "draw_win32/gdi_image.h"

#include <cstring>

namespace tessel {

GdiDib::GdiDib(HDC dc, int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0 || width > PixelImage::kMaxSide || height > PixelImage::kMaxSide) return;
  BITMAPINFO info = PixelImageBitmapInfo(width, height);
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  dc_.reset(::CreateCompatibleDC(dc));
  if (!dc_) return;
  selection_.emplace(dc_.get(), bitmap_.get());
  bits_ = bits;
}

void GdiDib::Store(const PixelImage& image) {
  if (!ok() || image.Width() != width_ || image.Height() != height_) return;
  ::GdiFlush();
  std::memcpy(bits_, image.Row(0),
              sizeof(Pixel) * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

PixelImage GdiDib::Load() const {
  PixelImage image(width_, height_);
  if (!ok() || image.IsEmpty()) return image;
  ::GdiFlush();
  std::memcpy(image.Row(0), bits_,
              sizeof(Pixel) * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  return image;
}

}  // namespace tessel
