#pragma once
// Points, sizes and rectangles in device pixels, shared by the drawing surface,
// the draw manager and the rich text layout.

#include <algorithm>
#include <climits>

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

  // Sizes saturate rather than overflow for far-off coordinates.
  int Width() const { return Span(left, right); }
  int Height() const { return Span(top, bottom); }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;

 private:
  static int Span(int from, int to) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(to) - from, INT_MIN, INT_MAX));
  }
};

// A rectangle from its corner and size; the far edges saturate at INT_MAX.
inline Rect MakeRect(int x, int y, int width, int height) {
  auto edge = [](int from, int length) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(from) + length, INT_MIN, INT_MAX));
  };
  return {x, y, edge(x, width), edge(y, height)};
}

// The common part of two rectangles; empty (but well formed) when they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace tessel
