#include <algorithm>
#include <climits>

#include "draw/draw_manager.h"

namespace tessel {

namespace {

constexpr int kGradientBands = 64;  // a gradient is this many solid bands, the last one 64th short of its colour
constexpr int kGradientShift = 6;   // log2 of kGradientBands

int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// Channel of band i: (from * 64 + i * (to - from)) / 64, never negative.
int BandChannel(int from, int to, int band) {
  return ((from << kGradientShift) + band * (to - from)) >> kGradientShift;
}

}  // namespace

void DrawManager::FillEffect(Surface& surface, int effect, const Rect& rect, ColorRef begin, ColorRef middle,
                             ColorRef end, int noise, int blend) {
  const int halfWidth = rect.Width() / 2;
  const int halfHeight = rect.Height() / 2;
  const Rect left{rect.left, rect.top, ClampToInt(1LL * rect.left + halfWidth), rect.bottom};
  const Rect right{left.right, rect.top, rect.right, rect.bottom};
  const Rect top{rect.left, rect.top, rect.right, ClampToInt(1LL * rect.top + halfHeight)};
  const Rect bottom{rect.left, top.bottom, rect.right, rect.bottom};
  switch (effect) {
    case kEffectHGradient:
      FillGradient(surface, rect, begin, end, true);
      break;
    case kEffectVGradient:
      FillGradient(surface, rect, begin, end, false);
      break;
    case kEffectHCGradient:
      FillGradient(surface, left, begin, end, true);
      FillGradient(surface, right, end, begin, true);
      break;
    case kEffectVCGradient:
      FillGradient(surface, top, begin, end, false);
      FillGradient(surface, bottom, end, begin, false);
      break;
    case kEffect3HGradient:
      FillGradient(surface, left, begin, middle, true);
      FillGradient(surface, right, middle, end, true);
      break;
    case kEffect3VGradient:
      FillGradient(surface, top, begin, middle, false);
      FillGradient(surface, bottom, middle, end, false);
      break;
    case kEffectNoise:
    case kEffectDiagShade:
    case kEffectHShade:
    case kEffectVShade:
    case kEffectHBump:
    case kEffectVBump:
    case kEffectSoftBump:
    case kEffectHardBump:
    case kEffectMetal:
      FillTexture(surface, effect, rect, begin, middle, end, noise, blend);
      break;
    default:
      surface.FillSolidRect(rect, begin);
      break;
  }
}

void DrawManager::FillGradient(Surface& surface, const Rect& rect, ColorRef from, ColorRef to, bool horizontal) {
  const long long origin = horizontal ? rect.left : rect.top;
  const long long size = horizontal ? rect.Width() : rect.Height();
  for (int band = 0; band < kGradientBands; ++band) {
    // Arithmetic shifts round down, also for the negative size of a reversed rectangle.
    const int start = ClampToInt(origin + ((band * size) >> kGradientShift));
    const int stop = ClampToInt(origin + (((band + 1) * size) >> kGradientShift));
    if (stop <= start) continue;
    const ColorRef color =
        MakeColor(BandChannel(ColorRed(from), ColorRed(to), band), BandChannel(ColorGreen(from), ColorGreen(to), band),
                  BandChannel(ColorBlue(from), ColorBlue(to), band));
    const Rect bandRect =
        horizontal ? Rect{start, rect.top, stop, rect.bottom} : Rect{rect.left, start, rect.right, stop};
    surface.FillSolidRect(bandRect, color);
  }
}

void DrawManager::TileBitmap(Surface& target, int left, int top, int width, int height, const PixelImage& source,
                             int sourceX, int sourceY, int cellWidth, int cellHeight) {
  if (cellWidth <= 0 || cellHeight <= 0 || width <= 0 || height <= 0) return;
  const Rect area = MakeRect(left, top, width, height);
  const Rect visible = Intersect(area, target.GetClipBox());
  if (visible.IsEmpty()) return;
  // Start at the first cell that can show, keeping the cells aligned to (left, top).
  const long long firstColumn = (static_cast<long long>(visible.left) - left) / cellWidth;
  const long long firstRow = (static_cast<long long>(visible.top) - top) / cellHeight;
  for (long long y = top + firstRow * cellHeight; y < visible.bottom; y += cellHeight) {
    const int rowHeight = static_cast<int>(std::min<long long>(cellHeight, area.bottom - y));
    for (long long x = left + firstColumn * cellWidth; x < visible.right; x += cellWidth) {
      const int columnWidth = static_cast<int>(std::min<long long>(cellWidth, area.right - x));
      target.DrawImage(MakeRect(static_cast<int>(x), static_cast<int>(y), columnWidth, rowHeight), source,
                       MakeRect(sourceX, sourceY, columnWidth, rowHeight), RasterOp::kCopy);
    }
  }
}

}  // namespace tessel
