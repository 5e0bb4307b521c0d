#pragma once
// Points, sizes and rectangles in device pixels, shared by the drawing surface,
// the draw manager and the rich text layout.

#include <algorithm>

namespace tessel {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;  // width
  int cy = 0;  // height
  friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as in the Windows RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect MakeRect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The common part of two rectangles; empty (but well formed) when they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace tessel
