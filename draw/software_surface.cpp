#include "draw/software_surface.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "draw/utf8_character.h"

namespace tessel {

namespace {

constexpr int kDefaultFontHeight = 16;  // a font height of 0 asks for the default
// Slanted lines are walked pixel by pixel; no surface is longer than this.
constexpr long long kMaxSlantedSteps = 4LL * PixelImage::kMaxSide;

// Dash patterns (on, off, ...) in pixels; an empty pattern is a solid line.
struct DashPattern {
  std::array<int, 6> lengths{};
  int count = 0;
};

DashPattern PatternFor(PenStyle style) {
  switch (style) {
    case PenStyle::kDash:
      return {{18, 6}, 2};
    case PenStyle::kDot:
      return {{3, 3}, 2};
    case PenStyle::kDashDot:
      return {{9, 6, 3, 6}, 4};
    case PenStyle::kDashDotDot:
      return {{9, 3, 3, 3, 3, 3}, 6};
    case PenStyle::kSolid:
      break;
  }
  return {};
}

// Walks a dash pattern one pixel at a time, across the segments of a polyline.
class DashWalker {
 public:
  explicit DashWalker(PenStyle style) : pattern_(PatternFor(style)) {}
  void Skip(long long pixels) {
    if (pattern_.count == 0 || pixels <= 0) return;
    long long period = 0;
    for (int i = 0; i < pattern_.count; ++i) period += pattern_.lengths[i];
    for (pixels %= period; pixels > 0; --pixels) NextIsOn();
  }
  bool NextIsOn() {
    if (pattern_.count == 0) return true;
    const bool on = (index_ % 2) == 0;
    if (++run_ >= pattern_.lengths[index_]) {
      run_ = 0;
      index_ = (index_ + 1) % pattern_.count;
    }
    return on;
  }

 private:
  DashPattern pattern_;
  int index_ = 0;
  int run_ = 0;
};

}  // namespace

SoftwareSurface::SoftwareSurface(PixelImage& target, int pixelsPerInch)
    : target_(target), pixelsPerInch_(pixelsPerInch) {}

Rect SoftwareSurface::DrawableArea() const {
  const Rect image = MakeRect(0, 0, target_.Width(), target_.Height());
  return clip_ ? Intersect(image, *clip_) : image;
}

int SoftwareSurface::CellHeight() const {
  if (font_.height == 0) return kDefaultFontHeight;
  return std::min(std::abs(font_.height), PixelImage::kMaxSide);
}

int SoftwareSurface::Advance() const { return std::max(1, CellHeight() / 2); }

void SoftwareSurface::SetFont(const FontSpec& font) { font_ = font; }

FontMetrics SoftwareSurface::GetFontMetrics() const {
  const int h = CellHeight();
  return {h, h - h / 4, h / 4, h / 2, Advance()};
}

int SoftwareSurface::SpaceExtra(int spaceIndex) const {
  if (justifyBreaks_ <= 0 || justifyExtra_ <= 0) return 0;
  return justifyExtra_ / justifyBreaks_ + (spaceIndex < justifyExtra_ % justifyBreaks_ ? 1 : 0);
}

Size SoftwareSurface::MeasureText(std::string_view text) const {
  long long width = 0;
  int spaces = 0;
  for (std::string_view rest = text; !rest.empty();) {
    const Utf8Character c = ReadUtf8Character(rest);
    rest.remove_prefix(c.length);
    width += static_cast<long long>(Advance()) * Utf16Units(c.codePoint);
    if (c.codePoint == ' ') width += SpaceExtra(spaces++);
  }
  return {static_cast<int>(std::min<long long>(width, PixelImage::kMaxSide)), CellHeight()};
}

void SoftwareSurface::DrawTextRun(int x, int y, std::string_view text) {
  const FontMetrics m = GetFontMetrics();
  const Size extent = MeasureText(text);
  if (backgroundMode_ == BackgroundMode::kOpaque) FillSolidRect(MakeRect(x, y, extent.cx, extent.cy), backgroundColor_);

  const int w = m.averageCharWidth;
  const int right = DrawableArea().right;
  int cellLeft = x;
  int spaces = 0;
  for (std::string_view rest = text; !rest.empty() && cellLeft < right;) {  // past the right edge nothing shows
    const Utf8Character c = ReadUtf8Character(rest);
    rest.remove_prefix(c.length);
    if (c.codePoint == ' ') {
      cellLeft += w + SpaceExtra(spaces++);
      continue;
    }
    const bool lower = c.codePoint >= 'a' && c.codePoint <= 'z';
    const int top = lower ? y + m.ascent - m.xHeight : y + 1;
    for (int unit = 0; unit < Utf16Units(c.codePoint); ++unit, cellLeft += w) {
      if (c.codePoint <= 0x20) continue;  // control characters draw nothing
      const int boxLeft = w < 3 ? cellLeft : cellLeft + 1;
      const int boxRight = w < 3 ? cellLeft + w : cellLeft + w - 1;
      FillSolidRect({boxLeft, top, boxRight, y + m.ascent}, textColor_);
    }
  }
  if (font_.underline) FillSolidRect({x, y + m.ascent, x + extent.cx, y + m.ascent + 1}, textColor_);
  if (font_.strikeOut) {
    const int row = y + m.ascent - (m.xHeight + 1) / 2;
    FillSolidRect({x, row, x + extent.cx, row + 1}, textColor_);
  }
}

void SoftwareSurface::SetTextJustification(int extraWidth, int breakCount) {
  justifyExtra_ = extraWidth;
  justifyBreaks_ = breakCount;
}

ColorRef SoftwareSurface::SetTextColor(ColorRef color) { return std::exchange(textColor_, color); }

ColorRef SoftwareSurface::SetBackgroundColor(ColorRef color) { return std::exchange(backgroundColor_, color); }

BackgroundMode SoftwareSurface::SetBackgroundMode(BackgroundMode mode) { return std::exchange(backgroundMode_, mode); }

void SoftwareSurface::FillSolidRect(const Rect& rect, ColorRef color) {
  const Rect area = Intersect(rect, DrawableArea());
  if (area.IsEmpty()) return;
  // One row filled, then copied: as fast as memset for the common wide fills.
  Pixel* first = target_.Row(area.top) + area.left;
  std::fill(first, first + area.Width(), ColorToPixel(color));
  const std::size_t rowBytes = sizeof(Pixel) * static_cast<std::size_t>(area.Width());
  for (int y = area.top + 1; y < area.bottom; ++y) std::memcpy(target_.Row(y) + area.left, first, rowBytes);
}

void SoftwareSurface::DrawPolyline(const Point* points, int count, const Pen& pen) {
  if (points == nullptr || count < 2 || pen.width <= 0) return;
  const long long width = std::min(pen.width, PixelImage::kMaxSide);
  const Rect area = DrawableArea();
  // Pixels whose stamp can reach the drawable area.
  const long long reachLeft = area.left - width, reachTop = area.top - width;
  const long long reachRight = area.right + width, reachBottom = area.bottom + width;
  DashWalker dashes(pen.style);
  auto stamp = [&](long long px, long long py) {
    if (!dashes.NextIsOn()) return;
    if (px < reachLeft || px >= reachRight || py < reachTop || py >= reachBottom) return;
    const int x = static_cast<int>(px), y = static_cast<int>(py);
    if (width == 1) {
      if (area.Contains({x, y})) target_.Set(x, y, ColorToPixel(pen.color));
      return;
    }
    const int w = static_cast<int>(width);
    FillSolidRect(MakeRect(x - w / 2, y - w / 2, w, w), pen.color);
  };
  for (int i = 0; i + 1 < count; ++i) {
    // Bresenham from the start point, stopping before the end point; 64-bit so
    // that far-off coordinates cannot overflow.
    long long x = points[i].x, y = points[i].y;
    const long long x1 = points[i + 1].x, y1 = points[i + 1].y;
    const long long dx = std::llabs(x1 - x), dy = -std::llabs(y1 - y);
    const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    const long long steps = std::max(dx, -dy);
    if (dx == 0 || dy == 0) {
      // Straight lines skip the steps that cannot show, keeping the dash phase.
      long long first = 0, last = steps;  // steps [first, last) are walked
      if (dy == 0 && (y < reachTop || y >= reachBottom)) first = last;
      if (dx == 0 && (x < reachLeft || x >= reachRight)) first = last;
      const long long along = dy == 0 ? x : y, lo = dy == 0 ? reachLeft : reachTop,
                      hi = dy == 0 ? reachRight : reachBottom, dir = dy == 0 ? sx : sy;
      if (first < last) {
        first = std::clamp(dir > 0 ? lo - along : along - (hi - 1), 0LL, steps);
        last = std::clamp(dir > 0 ? hi - along : along - lo + 1, first, steps);
      }
      dashes.Skip(first);
      for (long long k = first; k < last; ++k) stamp(dy == 0 ? x + sx * k : x, dx == 0 ? y + sy * k : y);
      dashes.Skip(steps - last);
      continue;
    }
    long long error = dx + dy;
    for (long long k = 0; k < steps; ++k) {
      if (k == kMaxSlantedSteps) {  // longer than any surface: the rest cannot show
        dashes.Skip(steps - k);
        break;
      }
      stamp(x, y);
      const long long e2 = 2 * error;
      if (e2 >= dy) {
        error += dy;
        x += sx;
      }
      if (e2 <= dx) {
        error += dx;
        y += sy;
      }
    }
  }
}

void SoftwareSurface::DrawImage(const Rect& dest, const PixelImage& image, const Rect& source, RasterOp op) {
  if (dest.IsEmpty() || source.IsEmpty()) return;
  const Rect area = Intersect(dest, DrawableArea());
  const long long destW = dest.Width(), destH = dest.Height();
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy = source.top + static_cast<int>((y - static_cast<long long>(dest.top)) * source.Height() / destH);
    Pixel* row = target_.Row(y);
    for (int x = area.left; x < area.right; ++x) {
      const int sx = source.left + static_cast<int>((x - static_cast<long long>(dest.left)) * source.Width() / destW);
      const Pixel p = image.At(sx, sy);
      switch (op) {
        case RasterOp::kCopy:
          row[x] = p;
          break;
        case RasterOp::kAnd:
          row[x] &= p;
          break;
        case RasterOp::kOr:
          row[x] |= p;
          break;
      }
    }
  }
}

PixelImage SoftwareSurface::ReadPixels(const Rect& area) const { return target_.Crop(area); }

void SoftwareSurface::WritePixels(int x, int y, const PixelImage& image) {
  const Rect area = Intersect(MakeRect(x, y, image.Width(), image.Height()), DrawableArea());
  if (area.IsEmpty()) return;
  for (int row = area.top; row < area.bottom; ++row) {
    const Pixel* from = image.Row(row - y) + (area.left - x);
    std::copy(from, from + area.Width(), target_.Row(row) + area.left);
  }
}

}  // namespace tessel
