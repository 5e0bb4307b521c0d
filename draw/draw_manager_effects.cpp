// Per-pixel work on 32-bit images: image effects, alpha blending, shadows and
// the box blur behind the blurred shadow. Arithmetic is exact integer
// arithmetic (weights in thousandths, fractions of 255), truncating like the
// real-number formulas it stands for.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "draw/draw_manager.h"

namespace tessel {

namespace {

constexpr Pixel kColorBits = 0x00FFFFFF;
constexpr Pixel kAlphaBits = 0xFF000000;

Pixel WithChannels(Pixel p, int red, int green, int blue) { return (p & kAlphaBits) | MakePixel(red, green, blue, 0); }

Pixel Invert(Pixel p) { return p ^ kColorBits; }

// The first window total of a line of `length` values: positions -before to
// after, where positions beyond the line have the value `outside`. Only the
// part inside the line is walked, however wide the window.
template <typename Value>
std::int64_t WindowStart(int before, int after, int length, std::int64_t outside, Value value) {
  const int last = std::min(after, length - 1);
  std::int64_t sum = 0;
  for (int i = 0; i <= last; ++i) sum += value(i);
  const long long inside = last + 1;
  return sum + (static_cast<long long>(before) + after + 1 - inside) * outside;
}

}  // namespace

PixelImage DrawManager::ApplyImageEffects(const PixelImage& bitmap, int width, int height, int flags, bool useKey,
                                          ColorRef key, ColorRef color) {
  PixelImage result(width, height);
  result.Paste(0, 0, bitmap);
  const Pixel keyPixel = ColorToPixel(key);
  const Pixel colorPixel = ColorToPixel(color);
  for (int y = 0; y < result.Height(); ++y) {
    Pixel* row = result.Row(y);
    for (int x = 0; x < result.Width(); ++x) {
      const Pixel c = row[x];
      if ((c & kAlphaBits) != 0) hasAlpha_ = true;
      Pixel d = 0;
      if (!useKey || c != keyPixel) {
        int r = PixelRed(c), g = PixelGreen(c), b = PixelBlue(c);
        if (flags & kImageGrey) r = g = b = (299 * r + 587 * g + 114 * b) / 1000;
        if (flags & kImageDarker) {
          r = r * 3 / 4;
          g = g * 3 / 4;
          b = b * 3 / 4;
        }
        if (flags & kImageLighter) {
          r = std::min(255, r * 5 / 4);
          g = std::min(255, g * 5 / 4);
          b = std::min(255, b * 5 / 4);
        }
        d = MakePixel(r, g, b);
        if (flags & kImageRecolor) d = colorPixel;
      }
      if (flags & kImageInvert) d = Invert(d);
      row[x] = (c & kAlphaBits) | (d & kColorBits);
    }
  }
  return result;
}

void DrawManager::AlphaBlit(Surface& destination, int x, int y, int width, int height, const PixelImage& source) {
  // Beyond the source every pixel is transparent and leaves the destination as
  // it is: a large area asked for costs no more than the source.
  width = std::min(width, source.Width());
  height = std::min(height, source.Height());
  PixelImage area = destination.ReadPixels(MakeRect(x, y, width, height));
  for (int row = 0; row < area.Height(); ++row) {
    Pixel* to = area.Row(row);
    for (int column = 0; column < area.Width(); ++column) {
      const Pixel s = source.At(column, row);
      const int a = PixelAlpha(s);
      auto blend = [a](int sc, int dc) { return (a * sc + (255 - a) * dc) / 255; };
      const Pixel d = to[column];
      to[column] = WithChannels(d, blend(PixelRed(s), PixelRed(d)), blend(PixelGreen(s), PixelGreen(d)),
                                blend(PixelBlue(s), PixelBlue(d)));
    }
  }
  destination.WritePixels(x, y, area);
}

std::vector<std::int64_t> DrawManager::BoxBlur(const std::vector<std::uint8_t>& plane, int width, int height,
                                               int windowWidth, int windowHeight) {
  if (width <= 0 || height <= 0 || plane.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  windowWidth = std::max(windowWidth, 1);
  windowHeight = std::max(windowHeight, 1);
  const int left = windowWidth / 2, right = windowWidth - 1 - left;
  const int up = windowHeight / 2, down = windowHeight - 1 - up;
  constexpr std::int64_t kOutside = 1;  // value of every position beyond the plane

  // Running sums along each row over [x - left, x + right].
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<std::int64_t> rows(count);
  auto value = [&](int x, int y) -> std::int64_t {
    if (x < 0 || x >= width) return kOutside;
    return plane[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
  for (int y = 0; y < height; ++y) {
    std::int64_t sum = WindowStart(left, right, width, kOutside, [&](int i) { return value(i, y); });
    for (int x = 0; x < width; ++x) {
      rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = sum;
      const long long leaving = static_cast<long long>(x) - left, entering = static_cast<long long>(x) + right + 1;
      sum += (entering < width ? value(static_cast<int>(entering), y) : kOutside) -
             (leaving >= 0 ? value(static_cast<int>(leaving), y) : kOutside);
    }
  }
  // Then along each column over [y - up, y + down]; a row beyond the plane sums to the window width.
  const std::int64_t outsideRow = kOutside * windowWidth;
  std::vector<std::int64_t> totals(count);
  auto rowSum = [&](long long x, long long y) -> std::int64_t {
    if (y < 0 || y >= height) return outsideRow;
    return rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
  for (int x = 0; x < width; ++x) {
    std::int64_t sum = WindowStart(up, down, height, outsideRow, [&](int j) { return rowSum(x, j); });
    for (int y = 0; y < height; ++y) {
      totals[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = sum;
      sum += rowSum(x, static_cast<long long>(y) + down + 1) - rowSum(x, static_cast<long long>(y) - up);
    }
  }
  return totals;
}

void DrawManager::DrawShadow(Surface& destination, int x, int y, int width, int height, const PixelImage& shadowImage,
                             bool blur, int blurWidth, int blurHeight) {
  PixelImage shadow(width, height);
  if (shadow.IsEmpty()) return;
  // The shadow's sides are clamped to what an image may have; the planes
  // below must not be counted from the sides asked for.
  width = shadow.Width();
  height = shadow.Height();
  if (blur) {
    blurWidth = std::clamp(blurWidth, 1, PixelImage::kMaxSide);
    blurHeight = std::clamp(blurHeight, 1, PixelImage::kMaxSide);
    if (blurWidth % 2 == 0) ++blurWidth;
    if (blurHeight % 2 == 0) ++blurHeight;
    shadow.Fill(kColorBits);
    shadow.Paste(blurWidth / 2, blurHeight / 2, ScaleImage(shadowImage, width - blurWidth, height - blurHeight));
  } else {
    shadow.Paste(0, 0, shadowImage);
  }
  PixelImage area = destination.ReadPixels(MakeRect(x, y, width, height));
  if (area.GetSize() != shadow.GetSize()) return;

  // The factor is numerator / denominator: the blue byte over 255, or the
  // window total over (window area x 255).
  std::vector<std::int64_t> numerators;
  std::int64_t denominator = 255;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (blur) {
    std::vector<std::uint8_t> plane(count);
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column)
        plane[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)] =
            static_cast<std::uint8_t>(PixelBlue(shadow.Row(row)[column]));
    numerators = BoxBlur(plane, width, height, blurWidth, blurHeight);
    denominator = static_cast<std::int64_t>(blurWidth) * blurHeight * 255;
  }
  for (int row = 0; row < height; ++row) {
    Pixel* to = area.Row(row);
    const Pixel* from = shadow.Row(row);
    for (int column = 0; column < width; ++column) {
      const std::size_t i =
          static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column);
      const std::int64_t numerator = blur ? numerators[i] : PixelBlue(from[column]);
      if (numerator < 0 || numerator >= denominator) continue;  // a factor of 1 leaves the pixel
      auto scale = [&](int c) { return static_cast<int>(c * numerator / denominator); };
      const Pixel d = to[column];
      to[column] = WithChannels(d, scale(PixelRed(d)), scale(PixelGreen(d)), scale(PixelBlue(d)));
    }
  }
  destination.WritePixels(x, y, area);
}

}  // namespace tessel
