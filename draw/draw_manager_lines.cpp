#include <climits>

#include "draw/draw_manager.h"

namespace tessel {

namespace {

Pen PenFor(ColorRef color, int style, int width) {
  PenStyle penStyle = PenStyle::kSolid;  // solid and double lines
  switch (style) {
    case kLineDashed:
      penStyle = PenStyle::kDash;
      break;
    case kLineDotted:
      penStyle = PenStyle::kDot;
      break;
    case kLineDashDot:
      penStyle = PenStyle::kDashDot;
      break;
    case kLineDashDotDot:
      penStyle = PenStyle::kDashDotDot;
      break;
    default:
      break;
  }
  return {color, penStyle, width};
}

// Coordinates are computed in 64 bits and saturated, so far-off rectangles
// cannot overflow.
int Saturate(long long value) {
  return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

}  // namespace

void DrawManager::DrawFrame(Surface& surface, const Rect& rect, ColorRef topLeft, ColorRef bottomRight, int style,
                            int width) {
  if (style == kLineNone || width <= 0) return;
  const long long half = width / 2;
  const long long d = 2LL * width;
  const int x = Saturate(rect.left + half), top = Saturate(rect.top + half);
  const int right = Saturate(rect.right - half), bottom = Saturate(rect.bottom - half);
  const int xIn = Saturate(x + d), topIn = Saturate(top + d);
  const int rightIn = Saturate(right - d), bottomIn = Saturate(bottom - d);
  const bool isDouble = style == kLineDouble;

  const Pen light = PenFor(topLeft, style, width);
  const Point outerLight[] = {{x, bottom}, {x, top}, {right, top}};
  surface.DrawPolyline(outerLight, 3, light);
  if (isDouble) {
    const Point innerLight[] = {{xIn, bottomIn}, {xIn, topIn}, {rightIn, topIn}};
    surface.DrawPolyline(innerLight, 3, light);
  }
  const Pen dark = PenFor(bottomRight, style, width);
  const Point outerDark[] = {{right, top}, {right, bottom}, {x, bottom}};
  surface.DrawPolyline(outerDark, 3, dark);
  if (isDouble) {
    const Point innerDark[] = {{rightIn, topIn}, {rightIn, bottomIn}, {xIn, bottomIn}};
    surface.DrawPolyline(innerDark, 3, dark);
  }
}

void DrawManager::DrawStyledLine(Surface& surface, int x1, int y1, int x2, int y2, ColorRef color, int style,
                                 int width) {
  if (style == kLineNone || width <= 0) return;
  const Pen pen = PenFor(color, style, width);
  surface.DrawLine({x1, y1}, {x2, y2}, pen);
  if (style != kLineDouble) return;
  // The second line runs parallel, 2 x width further down and/or right.
  const long long d = 2LL * width;
  const bool vertical = x1 == x2;
  const bool horizontal = y1 == y2;
  const long long dy = vertical ? 0 : d;
  const long long dx = horizontal ? 0 : d;
  surface.DrawLine({Saturate(x1 + dx), Saturate(y1 + dy)}, {Saturate(x2 + dx), Saturate(y2 + dy)}, pen);
}

}  // namespace tessel
