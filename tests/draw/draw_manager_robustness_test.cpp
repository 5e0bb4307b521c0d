// Every drawing call with far-off, empty, reversed and huge arguments: nothing
// may fault or overflow (the sanitizer run checks), and no call may change a
// pixel outside the area its arguments name.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

int Clamped(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// The smallest rectangle holding both (either may be empty).
Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Where a pen of this width may reach around the box of two corners (both
// counted: a frame's corners are its lines' ends).
Rect PenReach(long long x1, long long y1, long long x2, long long y2, int width) {
  return {Clamped(std::min(x1, x2) - width), Clamped(std::min(y1, y2) - width), Clamped(std::max(x1, x2) + width + 1),
          Clamped(std::max(y1, y2) + width + 1)};
}

// An image drawn at (x, y), and its shadow `shadow` pixels further when there is one.
Rect ImageArea(int x, int y, int width, int height, bool shadow, int dx, int dy) {
  const Rect image = MakeRect(x, y, width, height);
  if (!shadow) return image;
  return Union(
      image, MakeRect(Clamped(static_cast<long long>(x) + dx), Clamped(static_cast<long long>(y) + dy), width, height));
}

// The first pixel that differs outside `allowed`, as text; empty when none does.
std::string ChangedOutside(const PixelImage& before, const PixelImage& after, const Rect& allowed) {
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x)
      if (!allowed.Contains({x, y}) && after.At(x, y) != before.At(x, y))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return {};
}

TEST(DrawManagerRobustness, ExtremeArgumentsNeverFaultNorDrawOutsideTheirArea) {
  constexpr int kValues[] = {INT_MIN, -40000, -3, -1, 0, 1, 2, 5, 9, 33, 32767, 32768, INT_MAX};
  std::mt19937 random(7);
  auto pick = [&] { return kValues[random() % std::size(kValues)]; };
  // Grey with a gradient, so that fills, masks and blends all show as changes.
  PixelImage target(24, 16);
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x) target.Set(x, y, MakePixel(100 + x, 120 + y, 140));
  SoftwareSurface surface(target);
  DrawManager draw;
  PixelImage picture(6, 4, 0x80FF00FF);
  picture.Set(1, 1, 0x00000000);
  const IconImage icon = MakeIcon(picture, PixelImage(3, 3, 0x00FFFFFF));

  int round = 0;
  auto expectInside = [&](const char* call, const Rect& allowed, auto drawing) {
    const PixelImage before = target;
    drawing();
    const std::string changed = ChangedOutside(before, target, allowed);
    EXPECT_TRUE(changed.empty()) << call << " in round " << round << " changed " << changed << " outside {"
                                 << allowed.left << ", " << allowed.top << ", " << allowed.right << ", "
                                 << allowed.bottom << "}";
  };
  for (; round < 300; ++round) {
    // Sizes of images stay small, so that a round does not allocate a huge picture.
    const int w = pick() % 50, h = pick() % 50;
    const Rect fill{pick(), pick(), pick(), pick()};
    expectInside("FillEffect", fill,
                 [&] { draw.FillEffect(surface, pick() % 17, fill, 0x86FDF7, 0xFFFFFF, 0x123456, pick(), pick()); });
    const Rect frame{pick(), pick(), pick(), pick()};
    const int frameWidth = pick() % 9;
    expectInside("DrawFrame", PenReach(frame.left, frame.top, frame.right, frame.bottom, frameWidth),
                 [&] { draw.DrawFrame(surface, frame, 0, 0xFF, pick() % 8, frameWidth); });
    const int x1 = pick(), y1 = pick(), x2 = pick(), y2 = pick(), lineWidth = pick() % 9;
    // A double line's second line runs 2 x width further down and/or right.
    const long long doubled = 2LL * lineWidth;
    expectInside(
        "DrawStyledLine",
        PenReach(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + doubled, std::max(y1, y2) + doubled, lineWidth),
        [&] { draw.DrawStyledLine(surface, x1, y1, x2, y2, 0xFF00, pick() % 8, lineWidth); });
    {
      const int x = pick(), y = pick(), dx = pick(), dy = pick();
      expectInside("DrawBitmap", ImageArea(x, y, w, h, true, dx, dy), [&] {
        draw.DrawBitmap(surface, x, y, w, h, &picture, true, 0xFF00FF, pick(), true, dx, dy, pick(), pick(), 0);
      });
    }
    {
      const int x = pick(), y = pick(), dx = pick(), dy = pick();
      expectInside("DrawIcon", ImageArea(x, y, w, h, true, dx, dy), [&] {
        draw.DrawIcon(surface, x, y, w, h, &icon, pick(), true, dx, dy, pick() % 40, pick() % 40, 0);
      });
    }
    {
      const int x = pick(), y = pick();
      expectInside("DrawImageListCell", ImageArea(x, y, w, h, true, 1, 1), [&] {
        draw.DrawImageListCell(surface, x, y, w, h, &picture, pick(), pick(), pick(), false, 0, kImageBlurredShadow,
                               true, 1, 1, pick(), pick(), 0);
      });
    }
    {
      const int left = pick(), top = pick(), width = pick(), height = pick();
      expectInside("TileBitmap", MakeRect(left, top, width, height), [&] {
        draw.TileBitmap(surface, left, top, width, height, picture, pick(), pick(), pick() % 9, pick() % 9);
      });
    }
    {
      const int x = pick(), y = pick();
      expectInside("AlphaBlit", MakeRect(x, y, w, h), [&] { draw.AlphaBlit(surface, x, y, w, h, picture); });
    }
  }
  EXPECT_EQ(target.GetSize(), (Size{24, 16}));
}

// A shadow as wide as an int draws at the widest an image may be; it once
// counted its blur planes from the width asked for and asked for 326 GB.
TEST(DrawManagerRobustness, ShadowWiderThanAnImageStaysWithinAnImage) {
  PixelImage target(24, 16, 0xFF808080);
  SoftwareSurface surface(target);
  DrawManager draw;
  const PixelImage picture(6, 4, 0xFF000000);
  draw.DrawShadow(surface, -5, 0, INT_MAX, 152, picture, true, 3, 3);
  draw.DrawShadow(surface, 0, -5, 40, INT_MAX, picture, false, 0, 0);
  EXPECT_EQ(target.GetSize(), (Size{24, 16}));
}

}  // namespace
}  // namespace tessel
