#include "draw/pixel_image.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

namespace tessel {

namespace {
int ClampSide(int side) { return std::clamp(side, 0, PixelImage::kMaxSide); }
}  // namespace

PixelImage::PixelImage(int width, int height, Pixel fill) {
  width = ClampSide(width);
  height = ClampSide(height);
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (count == 0 || count > kMaxPixels) return;
  try {
    pixels_.assign(count, fill);
  } catch (const std::bad_alloc&) {
    return;
  } catch (const std::length_error&) {
    return;
  }
  width_ = width;
  height_ = height;
}

Pixel* PixelImage::Row(int y) {
  if (y < 0 || y >= height_) return nullptr;
  return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

const Pixel* PixelImage::Row(int y) const {
  if (y < 0 || y >= height_) return nullptr;
  return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

Pixel PixelImage::At(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return 0;
  return Row(y)[x];
}

void PixelImage::Set(int x, int y, Pixel p) {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
  Row(y)[x] = p;
}

void PixelImage::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

bool PixelImage::HasAlpha() const {
  return std::any_of(pixels_.begin(), pixels_.end(), [](Pixel p) { return (p >> 24) != 0; });
}

PixelImage PixelImage::Crop(const Rect& area) const {
  PixelImage result(area.Width(), area.Height());
  const Rect inside = Intersect(area, MakeRect(0, 0, width_, height_));
  if (result.IsEmpty() || inside.IsEmpty()) return result;
  // inside lies within this image, so its offsets from area.left/top fit the result.
  for (int y = inside.top; y < inside.bottom; ++y) {
    const Pixel* from = Row(y) + inside.left;
    const long long column = static_cast<long long>(inside.left) - area.left;
    const long long row = static_cast<long long>(y) - area.top;
    if (row >= result.height_ || column >= result.width_) break;
    const long long count = std::min<long long>(inside.Width(), result.width_ - column);
    std::copy(from, from + count, result.Row(static_cast<int>(row)) + column);
  }
  return result;
}

void PixelImage::Paste(int x, int y, const PixelImage& source) {
  const Rect target = Intersect(MakeRect(0, 0, width_, height_), MakeRect(x, y, source.width_, source.height_));
  if (target.IsEmpty()) return;
  for (int row = target.top; row < target.bottom; ++row) {
    const Pixel* from = source.Row(row - y) + (target.left - x);
    std::copy(from, from + target.Width(), Row(row) + target.left);
  }
}

PixelImage ScaleImage(const PixelImage& source, int width, int height) {
  if (source.Width() == width && source.Height() == height) return source;
  PixelImage result(width, height);
  if (result.IsEmpty() || source.IsEmpty()) return result;
  for (int y = 0; y < result.Height(); ++y) {
    const Pixel* from = source.Row(static_cast<int>(static_cast<long long>(y) * source.Height() / result.Height()));
    Pixel* to = result.Row(y);
    for (int x = 0; x < result.Width(); ++x) to[x] = from[static_cast<long long>(x) * source.Width() / result.Width()];
  }
  return result;
}

IconImage MakeIcon(PixelImage color, const PixelImage& mask) {
  IconImage icon;
  // Opaque (black) mask pixels wherever the given mask is too small.
  PixelImage fitted(color.Width(), color.Height(), 0);
  fitted.Paste(0, 0, mask);
  icon.mask = std::move(fitted);
  icon.hotSpot = {color.Width() / 2, color.Height() / 2};
  icon.color = std::move(color);
  return icon;
}

}  // namespace tessel
