#include "draw/software_surface.h"

#include <gtest/gtest.h>

#include "tests/draw/utf8_samples.h"

namespace tessel {
namespace {

constexpr Pixel kWhite = 0x00FFFFFF;
constexpr Pixel kBlack = 0x00000000;

TEST(SoftwareSurfaceFont, MetricsFollowTheFixedRules) {
  PixelImage image(10, 10);
  SoftwareSurface surface(image);
  surface.SetFont({.height = 16, .weight = 700, .italic = true});
  EXPECT_EQ(surface.GetFontMetrics(), (FontMetrics{16, 12, 4, 8, 8}));
  surface.SetFont({.height = -13});
  EXPECT_EQ(surface.GetFontMetrics(), (FontMetrics{13, 10, 3, 6, 6}));
  surface.SetFont({.height = 0});
  EXPECT_EQ(surface.GetFontMetrics().height, 16);
  surface.SetFont({.height = 1});
  EXPECT_EQ(surface.GetFontMetrics(), (FontMetrics{1, 1, 0, 0, 1}));
  EXPECT_EQ(surface.MeasureText("abc d"), (Size{5, 1}));
  EXPECT_EQ(surface.PixelsPerInchY(), 96);
}

TEST(SoftwareSurfaceFont, JustificationSpreadsExtraPixelsOverSpaces) {
  PixelImage image(10, 10);
  SoftwareSurface surface(image);
  surface.SetFont({.height = 16});
  surface.SetTextJustification(5, 3);
  // Spaces get 2, 2, 1 extra pixels; a fourth space gets the base 1.
  EXPECT_EQ(surface.MeasureText("a b c d"), (Size{7 * 8 + 5, 16}));
  EXPECT_EQ(surface.MeasureText("a b c d e"), (Size{9 * 8 + 6, 16}));
  surface.SetTextJustification(0, 0);
  EXPECT_EQ(surface.MeasureText("a b"), (Size{24, 16}));
}

TEST(SoftwareSurfaceFont, GlyphsAreBoxesInTheTextColour) {
  PixelImage image(40, 20, kWhite);
  SoftwareSurface surface(image);
  surface.SetFont({.height = 16, .underline = true});
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColor(0x0000FF);  // red
  surface.DrawTextRun(2, 1, "A x");
  const Pixel red = 0x00FF0000;
  // 'A' in columns 3..8, rows 2..12; the space draws nothing; 'x' rows 5..12.
  EXPECT_EQ(image.At(2, 5), kWhite);
  EXPECT_EQ(image.At(3, 2), red);
  EXPECT_EQ(image.At(8, 12), red);
  EXPECT_EQ(image.At(9, 12), kWhite);
  EXPECT_EQ(image.At(3, 1), kWhite);
  EXPECT_EQ(image.At(12, 8), kWhite);
  EXPECT_EQ(image.At(19, 4), kWhite);
  EXPECT_EQ(image.At(19, 5), red);
  // Underline on row 1 + 12 across all 24 columns of the run.
  EXPECT_EQ(image.At(2, 13), red);
  EXPECT_EQ(image.At(25, 13), red);
  EXPECT_EQ(image.At(26, 13), kWhite);
  EXPECT_EQ(image.At(2, 14), kWhite);
}

// Text is UTF-8, measured as GDI measures its UTF-16 form: a cell per code unit.
TEST(SoftwareSurfaceFont, TextTakesACellPerUtf16Unit) {
  PixelImage image(40, 20, kWhite);
  SoftwareSurface surface(image);
  surface.SetFont({.height = 16});
  for (const Utf8Sample& sample : kUtf8Samples)
    EXPECT_EQ(surface.MeasureText(sample.text).cx, 8 * sample.utf16Units) << sample.text;
  // "©a": a tall box in the first cell, a low one in the second, nothing after.
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.DrawTextRun(0, 0, "©a");
  EXPECT_EQ(image.At(1, 1), kBlack);
  EXPECT_EQ(image.At(9, 1), kWhite);
  EXPECT_EQ(image.At(9, 11), kBlack);
  EXPECT_EQ(image.At(17, 11), kWhite);
}

TEST(SoftwareSurfaceFont, OpaqueBackgroundFillsTheCell) {
  PixelImage image(20, 20, kWhite);
  SoftwareSurface surface(image);
  surface.SetFont({.height = 8});
  surface.SetBackgroundColor(0x00FF00);
  EXPECT_EQ(surface.SetBackgroundMode(BackgroundMode::kOpaque), BackgroundMode::kOpaque);
  surface.DrawTextRun(0, 0, "  ");
  EXPECT_EQ(image.At(7, 7), 0x0000FF00u);
  EXPECT_EQ(image.At(8, 7), kWhite);
  EXPECT_EQ(image.At(7, 8), kWhite);
}

TEST(SoftwareSurfaceFills, AreClippedToImageAndClipRectangle) {
  PixelImage image(8, 8, kWhite);
  SoftwareSurface surface(image);
  surface.FillSolidRect({-100, -100, 3, 2}, 0x000000);
  EXPECT_EQ(image.At(2, 1), kBlack);
  EXPECT_EQ(image.At(3, 1), kWhite);
  EXPECT_EQ(image.At(2, 2), kWhite);
  surface.SetClipRect(Rect{4, 4, 6, 6});
  surface.FillSolidRect({0, 0, 8, 8}, 0x000000);
  EXPECT_EQ(image.At(4, 4), kBlack);
  EXPECT_EQ(image.At(6, 6), kWhite);
  EXPECT_EQ(image.At(3, 4), kWhite);
  surface.SetClipRect(std::nullopt);
  surface.FillSolidRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0x123456);
  EXPECT_EQ(image.At(7, 7), ColorToPixel(0x123456));
}

TEST(SoftwareSurfaceLines, StopShortOfTheEndPoint) {
  PixelImage image(10, 10, kWhite);
  SoftwareSurface surface(image);
  const Point frame[] = {{1, 8}, {1, 1}, {8, 1}};
  surface.DrawPolyline(frame, 3, {0x000000, PenStyle::kSolid, 1});
  EXPECT_EQ(image.At(1, 8), kBlack);
  EXPECT_EQ(image.At(1, 1), kBlack);
  EXPECT_EQ(image.At(7, 1), kBlack);
  EXPECT_EQ(image.At(8, 1), kWhite);
  EXPECT_EQ(image.At(1, 9), kWhite);
  // Width 3 stamps 3 x 3 squares centred on each pixel.
  surface.DrawLine({5, 5}, {6, 5}, {0x0000FF, PenStyle::kSolid, 3});
  EXPECT_EQ(image.At(4, 4), 0x00FF0000u);
  EXPECT_EQ(image.At(6, 6), 0x00FF0000u);
  EXPECT_EQ(image.At(7, 5), kWhite);
  surface.DrawLine({0, 0}, {0, 0}, {0, PenStyle::kSolid, 1});  // empty: nothing, no fault
  surface.DrawLine({INT_MIN, 3}, {INT_MAX, 3}, {0, PenStyle::kSolid, 0});
}

TEST(SoftwareSurfaceLines, DashesRunOnAcrossSegments) {
  PixelImage image(40, 3, kWhite);
  SoftwareSurface surface(image);
  const Point points[] = {{0, 1}, {2, 1}, {40, 1}};
  surface.DrawPolyline(points, 3, {0, PenStyle::kDot, 1});
  for (int x = 0; x < 12; ++x) EXPECT_EQ(image.At(x, 1), (x / 3) % 2 == 0 ? kBlack : kWhite) << x;
  PixelImage dashed(40, 1, kWhite);
  SoftwareSurface dashedSurface(dashed);
  dashedSurface.DrawLine({0, 0}, {40, 0}, {0, PenStyle::kDash, 1});
  EXPECT_EQ(dashed.At(17, 0), kBlack);
  EXPECT_EQ(dashed.At(18, 0), kWhite);
  EXPECT_EQ(dashed.At(23, 0), kWhite);
  EXPECT_EQ(dashed.At(24, 0), kBlack);
}

TEST(SoftwareSurfaceLines, FarOffStartsKeepTheirDashPhase) {
  PixelImage image(8, 2, kWhite);
  SoftwareSurface surface(image);
  surface.DrawLine({-3, 0}, {8, 0}, {0, PenStyle::kDot, 1});  // -3..-1 on, 0..2 off, 3..5 on
  EXPECT_EQ(image.At(0, 0), kWhite);
  EXPECT_EQ(image.At(3, 0), kBlack);
  EXPECT_EQ(image.At(6, 0), kWhite);
  surface.DrawLine({5, 1}, {-2000000000, 1}, {0, PenStyle::kDot, 1});
  EXPECT_EQ(image.At(5, 1), kBlack);  // 5..3 on, 2..0 off
  EXPECT_EQ(image.At(3, 1), kBlack);
  EXPECT_EQ(image.At(2, 1), kWhite);
  EXPECT_EQ(image.At(0, 1), kWhite);
  EXPECT_EQ(image.At(6, 1), kWhite);
  surface.DrawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX - 7}, {0, PenStyle::kSolid, INT_MAX});
}

TEST(SoftwareSurfaceImages, CopyStretchAndMaskedDrawing) {
  PixelImage image(6, 6, kWhite);
  SoftwareSurface surface(image);
  PixelImage source(2, 1);
  source.Set(0, 0, 0x00112233);
  source.Set(1, 0, 0x00445566);
  surface.DrawImage({0, 0, 4, 2}, source, {0, 0, 2, 1}, RasterOp::kCopy);
  EXPECT_EQ(image.At(1, 1), 0x00112233u);
  EXPECT_EQ(image.At(2, 0), 0x00445566u);
  EXPECT_EQ(image.At(4, 0), kWhite);

  PixelImage mask(2, 2, kBlack), picture(2, 2, kBlack);
  mask.Set(0, 0, kWhite);  // transparent corner
  picture.Set(1, 1, 0x000000FF);
  surface.DrawMasked({4, 4, 6, 6}, picture, mask);
  EXPECT_EQ(image.At(4, 4), kWhite);
  EXPECT_EQ(image.At(5, 4), kBlack);
  EXPECT_EQ(image.At(5, 5), 0x000000FFu);
}

TEST(SoftwareSurfaceImages, ReadAndWritePixelsOutsideTheSurface) {
  PixelImage image(4, 4, kWhite);
  SoftwareSurface surface(image);
  const PixelImage read = surface.ReadPixels({-1, -1, 2, 2});
  ASSERT_EQ(read.GetSize(), (Size{3, 3}));
  EXPECT_EQ(read.At(0, 0), 0u);
  EXPECT_EQ(read.At(1, 1), kWhite);
  PixelImage patch(3, 3, 0xFF000001);
  surface.WritePixels(2, 2, patch);
  EXPECT_EQ(image.At(3, 3), 0xFF000001u);
  EXPECT_EQ(image.At(1, 1), kWhite);
  EXPECT_TRUE(surface.ReadPixels({5, 5, 1, 1}).IsEmpty());
}

TEST(PixelImage, ColoursBecomePixelsInTheirOwnByteOrder) {
  EXPECT_EQ(ColorToPixel(0x86FDF7), 0x00F7FD86u);
  EXPECT_EQ(PixelToColor(0xFFF7FD86), 0x86FDF7u);
  EXPECT_EQ(MakeColor(1, 2, 3), 0x030201u);
  EXPECT_TRUE(PixelImage(-5, 3).IsEmpty());
  EXPECT_TRUE(PixelImage(PixelImage::kMaxSide, PixelImage::kMaxSide).IsEmpty());  // too many pixels
  EXPECT_EQ(PixelImage(40000, 1).Width(), PixelImage::kMaxSide);
  const PixelImage scaled = ScaleImage(PixelImage(2, 2, 7), 5, 1);
  EXPECT_EQ(scaled.GetSize(), (Size{5, 1}));
  EXPECT_EQ(scaled.At(4, 0), 7u);
}

// The backgrounds are drawn for 200% and shrunk to the window's scale.
TEST(PixelImage, ResamplingAveragesTheAreaUnderEachPixel) {
  // Halving: exact 2 x 2 means of every byte, alpha included.
  PixelImage large(4, 2, MakePixel(0, 0, 0));
  large.Set(0, 0, MakePixel(200, 100, 40, 255));
  large.Set(1, 1, MakePixel(200, 100, 40, 255));
  const PixelImage half = ResampleImage(large, 2, 1);
  EXPECT_EQ(half.At(0, 0), MakePixel(100, 50, 20, 128));
  EXPECT_EQ(half.At(1, 0), MakePixel(0, 0, 0));

  // 150% from 200% (4 -> 3): the middle pixel is half of each of the middle
  // two source pixels, the outer ones three quarters of their own and a
  // quarter of the next; a flat picture stays flat at any size, enlarged too.
  PixelImage ramp(4, 1);
  for (int x = 0; x < 4; ++x) ramp.Set(x, 0, MakePixel(x * 60, 0, 0));
  const PixelImage three = ResampleImage(ramp, 3, 1);
  EXPECT_EQ(PixelRed(three.At(0, 0)), 15);
  EXPECT_EQ(PixelRed(three.At(1, 0)), 90);
  EXPECT_EQ(PixelRed(three.At(2, 0)), 165);
  for (Size size : {Size{956, 625}, Size{7, 3}, Size{1, 1}, Size{2000, 5}}) {
    const PixelImage flat = ResampleImage(PixelImage(1530, 4, 0x00123456), size.cx, size.cy);
    ASSERT_EQ(flat.GetSize(), size);
    EXPECT_EQ(flat.At(size.cx - 1, size.cy - 1), 0x00123456u);
    EXPECT_EQ(flat.At(0, 0), 0x00123456u);
  }
  EXPECT_TRUE(ResampleImage(PixelImage(), 3, 3).At(2, 2) == 0);
  EXPECT_TRUE(ResampleImage(large, 0, 4).IsEmpty());
}

}  // namespace
}  // namespace tessel
