#include <gtest/gtest.h>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

constexpr Pixel kPaper = 0x00FFFFFF;
constexpr ColorRef kLight = MakeColor(255, 0, 0);
constexpr ColorRef kDark = MakeColor(0, 0, 255);

struct Canvas {
  Canvas() : image(20, 20, kPaper), surface(image) {}
  // Every pixel of the given colour, as points.
  std::vector<Point> PixelsOf(ColorRef color) const {
    std::vector<Point> points;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        if (image.At(x, y) == ColorToPixel(color)) points.push_back({x, y});
    return points;
  }
  PixelImage image;
  SoftwareSurface surface;
  DrawManager draw;
};

TEST(DrawFrame, TopLeftThenBottomRightAtTheirCoordinates) {
  Canvas c;
  c.draw.DrawFrame(c.surface, {2, 3, 9, 8}, kLight, kDark, kLineSolid, 1);
  // Light: (2, 8) up to (2, 3), then to (8, 3); dark: (9, 3) down to (9, 8), then back to (3, 8).
  EXPECT_EQ(c.image.At(2, 8), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(2, 3), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(8, 3), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(9, 3), ColorToPixel(kDark));
  EXPECT_EQ(c.image.At(9, 8), ColorToPixel(kDark));
  EXPECT_EQ(c.image.At(3, 8), ColorToPixel(kDark));
  EXPECT_EQ(c.PixelsOf(kLight).size(), 5u + 7u);
  EXPECT_EQ(c.PixelsOf(kDark).size(), 5u + 7u);
  EXPECT_EQ(c.image.At(5, 5), kPaper);
}

TEST(DrawFrame, DoubleFrameAddsAnInnerFrameTwoWidthsIn) {
  Canvas c;
  c.draw.DrawFrame(c.surface, {0, 0, 12, 12}, kLight, kLight, kLineDouble, 1);
  for (Point p : {Point{0, 12}, Point{0, 0}, Point{11, 0}, Point{12, 12},  // outer
                  Point{2, 10}, Point{2, 2}, Point{9, 2}, Point{10, 2}, Point{10, 10}, Point{3, 10}})
    EXPECT_EQ(c.image.At(p.x, p.y), ColorToPixel(kLight)) << p.x << "," << p.y;
  EXPECT_EQ(c.image.At(1, 1), kPaper);
  EXPECT_EQ(c.image.At(3, 3), kPaper);
}

TEST(DrawFrame, WideFramesMoveInByHalfTheWidth) {
  Canvas c;
  c.draw.DrawFrame(c.surface, {2, 2, 14, 14}, kLight, kDark, kLineSolid, 3);
  // Lines at 3 and 13, 3 pixels wide.
  EXPECT_EQ(c.image.At(2, 8), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(4, 8), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(5, 8), kPaper);
  EXPECT_EQ(c.image.At(14, 8), ColorToPixel(kDark));
  EXPECT_EQ(c.image.At(15, 8), kPaper);
}

TEST(DrawFrame, NoStyleOrNoWidthDrawsNothing) {
  Canvas c;
  c.draw.DrawFrame(c.surface, {2, 2, 9, 9}, kLight, kDark, kLineNone, 1);
  c.draw.DrawFrame(c.surface, {2, 2, 9, 9}, kLight, kDark, kLineSolid, 0);
  c.draw.DrawFrame(c.surface, {2, 2, 9, 9}, kLight, kDark, kLineSolid, -3);
  c.draw.DrawStyledLine(c.surface, 0, 0, 9, 0, kLight, kLineNone, 1);
  c.draw.DrawStyledLine(c.surface, 0, 0, 9, 0, kLight, kLineDouble, 0);
  EXPECT_TRUE(c.PixelsOf(kLight).empty());
  EXPECT_TRUE(c.PixelsOf(kDark).empty());
  c.draw.DrawFrame(c.surface, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kLight, kDark, kLineDouble, INT_MAX);
}

TEST(DrawStyledLine, DoubleLinesAreOffsetByTwoWidths) {
  Canvas horizontal;
  horizontal.draw.DrawStyledLine(horizontal.surface, 1, 1, 6, 1, kLight, kLineDouble, 1);
  EXPECT_EQ(horizontal.PixelsOf(kLight),
            (std::vector<Point>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}));
  Canvas vertical;
  vertical.draw.DrawStyledLine(vertical.surface, 1, 1, 1, 3, kLight, kLineDouble, 1);
  EXPECT_EQ(vertical.PixelsOf(kLight), (std::vector<Point>{{1, 1}, {3, 1}, {1, 2}, {3, 2}}));
  Canvas diagonal;
  diagonal.draw.DrawStyledLine(diagonal.surface, 0, 0, 2, 2, kLight, kLineDouble, 2);
  EXPECT_EQ(diagonal.image.At(4, 4), ColorToPixel(kLight));
  EXPECT_EQ(diagonal.image.At(5, 5), ColorToPixel(kLight));
}

TEST(DrawStyledLine, PenStylesMapToDashPatterns) {
  Canvas c;
  c.draw.DrawStyledLine(c.surface, 0, 0, 20, 0, kLight, kLineDotted, 1);
  EXPECT_EQ(c.image.At(2, 0), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(3, 0), kPaper);
  c.draw.DrawStyledLine(c.surface, 0, 1, 20, 1, kLight, kLineDashed, 1);
  EXPECT_EQ(c.image.At(17, 1), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(18, 1), kPaper);
  c.draw.DrawStyledLine(c.surface, 0, 2, 20, 2, kLight, kLineDashDot, 1);
  EXPECT_EQ(c.image.At(9, 2), kPaper);
  EXPECT_EQ(c.image.At(15, 2), ColorToPixel(kLight));
  c.draw.DrawStyledLine(c.surface, 0, 3, 20, 3, kLight, kLineDashDotDot, 1);
  EXPECT_EQ(c.image.At(11, 3), kPaper);
  EXPECT_EQ(c.image.At(14, 3), ColorToPixel(kLight));
  EXPECT_EQ(c.image.At(15, 3), kPaper);
  c.draw.DrawStyledLine(c.surface, 0, 4, 20, 4, kLight, 99, 1);  // unknown styles are solid
  EXPECT_EQ(c.PixelsOf(kLight).size(), 11u + 18u + 12u + 14u + 20u);
}

}  // namespace
}  // namespace tessel
