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

namespace {

// The source pixels under each destination pixel along one side, and how much
// of each: in units where a source pixel is `to` long and a destination pixel
// `from` long, so every overlap is a whole number and the weights of one
// destination pixel add up to `from`.
struct Tap {
  int source;
  long long weight;
};

std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  for (int d = 0; d < to; ++d) {
    const long long begin = static_cast<long long>(d) * from, end = begin + from;
    for (long long s = begin / to; s < from && s * to < end; ++s) {
      const long long overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
      if (overlap > 0) taps[static_cast<size_t>(d)].push_back({static_cast<int>(s), overlap});
    }
  }
  return taps;
}

Pixel Blend(const std::vector<Tap>& taps, long long total, const auto& sourcePixel) {
  long long sums[4] = {};
  for (const Tap& tap : taps) {
    const Pixel p = sourcePixel(tap.source);
    for (int shift = 0, i = 0; i < 4; shift += 8, ++i) sums[i] += ((p >> shift) & 0xFF) * tap.weight;
  }
  Pixel result = 0;
  for (int shift = 0, i = 0; i < 4; shift += 8, ++i)
    result |= static_cast<Pixel>((sums[i] + total / 2) / total) << shift;
  return result;
}

}  // namespace

PixelImage ResampleImage(const PixelImage& source, int width, int height) {
  if (source.Width() == width && source.Height() == height) return source;
  PixelImage result(width, height);
  if (result.IsEmpty() || source.IsEmpty()) return result;
  // Across first, then down.
  const std::vector<std::vector<Tap>> across = AreaTaps(source.Width(), result.Width());
  PixelImage narrow(result.Width(), source.Height());
  if (narrow.IsEmpty()) return PixelImage(width, height);
  for (int y = 0; y < source.Height(); ++y) {
    const Pixel* from = source.Row(y);
    Pixel* to = narrow.Row(y);
    for (int x = 0; x < narrow.Width(); ++x)
      to[x] = Blend(across[static_cast<size_t>(x)], source.Width(), [from](int s) { return from[s]; });
  }
  const std::vector<std::vector<Tap>> down = AreaTaps(source.Height(), result.Height());
  for (int y = 0; y < result.Height(); ++y) {
    Pixel* to = result.Row(y);
    const std::vector<Tap>& taps = down[static_cast<size_t>(y)];
    for (int x = 0; x < result.Width(); ++x)
      to[x] = Blend(taps, source.Height(), [&narrow, x](int s) { return narrow.Row(s)[x]; });
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
