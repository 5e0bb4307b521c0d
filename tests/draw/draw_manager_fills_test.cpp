#include <gtest/gtest.h>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

constexpr Pixel kUntouched = 0x12345678;

// Band i of a 64-band gradient, channel by channel.
Pixel BandPixel(ColorRef from, ColorRef to, int band) {
  auto channel = [band](int f, int t) { return (f * 64 + band * (t - f)) / 64; };
  return MakePixel(channel(ColorRed(from), ColorRed(to)), channel(ColorGreen(from), ColorGreen(to)),
                   channel(ColorBlue(from), ColorBlue(to)));
}

struct Canvas {
  explicit Canvas(int width, int height) : image(width, height, kUntouched), surface(image) {}
  PixelImage image;
  SoftwareSurface surface;
  DrawManager draw;
};

constexpr ColorRef kFrom = MakeColor(0, 255, 10);
constexpr ColorRef kTo = MakeColor(255, 64, 130);

TEST(FillGradient, SixtyFourBandsEndOneSixtyFourthShort) {
  Canvas canvas(130, 2);
  canvas.draw.FillGradient(canvas.surface, {1, 0, 129, 1}, kFrom, kTo, true);
  for (int band = 0; band < 64; ++band) {
    EXPECT_EQ(canvas.image.At(1 + 2 * band, 0), BandPixel(kFrom, kTo, band)) << band;
    EXPECT_EQ(canvas.image.At(2 + 2 * band, 0), BandPixel(kFrom, kTo, band)) << band;
  }
  EXPECT_EQ(canvas.image.At(128, 0), MakePixel(251, 66, 128));  // last band, short of kTo
  EXPECT_EQ(canvas.image.At(0, 0), kUntouched);
  EXPECT_EQ(canvas.image.At(129, 0), kUntouched);
  EXPECT_EQ(canvas.image.At(5, 1), kUntouched);
}

TEST(FillGradient, BandEdgesRoundDownAndEmptyBandsAreSkipped) {
  Canvas canvas(1, 100);
  canvas.draw.FillGradient(canvas.surface, {0, 0, 1, 100}, kTo, kFrom, false);
  // Band i covers (i * 100) / 64 up to ((i + 1) * 100) / 64.
  EXPECT_EQ(canvas.image.At(0, 0), BandPixel(kTo, kFrom, 0));
  EXPECT_EQ(canvas.image.At(0, 1), BandPixel(kTo, kFrom, 1));
  EXPECT_EQ(canvas.image.At(0, 2), BandPixel(kTo, kFrom, 1));
  EXPECT_EQ(canvas.image.At(0, 3), BandPixel(kTo, kFrom, 2));
  EXPECT_EQ(canvas.image.At(0, 99), BandPixel(kTo, kFrom, 63));

  Canvas narrow(10, 1);
  narrow.draw.FillGradient(narrow.surface, {0, 0, 10, 1}, kFrom, kTo, true);
  EXPECT_EQ(narrow.image.At(0, 0), BandPixel(kFrom, kTo, 6));  // bands 0 to 5 are empty
  EXPECT_EQ(narrow.image.At(9, 0), BandPixel(kFrom, kTo, 63));
}

// The band that covers offset p of a gradient `size` pixels long.
int BandAt(int p, int size) {
  for (int band = 0; band < 64; ++band)
    if (band * size / 64 <= p && p < (band + 1) * size / 64) return band;
  return -1;
}

TEST(FillEffect, HalvesOfTheCentredAndThreeColourGradients) {
  constexpr ColorRef kMiddle = MakeColor(7, 8, 9);
  Canvas h(7, 1);  // halves of 3 and 4 pixels
  h.draw.FillEffect(h.surface, kEffectHCGradient, {0, 0, 7, 1}, kFrom, kMiddle, kTo, 0, 0);
  EXPECT_EQ(h.image.At(0, 0), BandPixel(kFrom, kTo, 21));  // bands 0 to 20 are empty
  EXPECT_EQ(h.image.At(2, 0), BandPixel(kFrom, kTo, 63));
  for (int x = 3; x < 7; ++x) EXPECT_EQ(h.image.At(x, 0), BandPixel(kTo, kFrom, BandAt(x - 3, 4)));
  EXPECT_EQ(h.image.At(3, 0), BandPixel(kTo, kFrom, 15));

  Canvas v(1, 9);  // halves of 4 and 5 pixels
  v.draw.FillEffect(v.surface, kEffect3VGradient, {0, 0, 1, 9}, kFrom, kMiddle, kTo, 0, 0);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(v.image.At(0, y), BandPixel(kFrom, kMiddle, BandAt(y, 4)));
  for (int y = 4; y < 9; ++y) EXPECT_EQ(v.image.At(0, y), BandPixel(kMiddle, kTo, BandAt(y - 4, 5)));

  Canvas vc(1, 2);
  vc.draw.FillEffect(vc.surface, kEffectVCGradient, {0, 0, 1, 2}, kFrom, kMiddle, kTo, 0, 0);
  EXPECT_EQ(vc.image.At(0, 0), BandPixel(kFrom, kTo, 63));
  EXPECT_EQ(vc.image.At(0, 1), BandPixel(kTo, kFrom, 63));

  Canvas h3(128, 1);
  h3.draw.FillEffect(h3.surface, kEffect3HGradient, {0, 0, 128, 1}, kFrom, kMiddle, kTo, 0, 0);
  EXPECT_EQ(h3.image.At(0, 0), ColorToPixel(kFrom));
  EXPECT_EQ(h3.image.At(63, 0), BandPixel(kFrom, kMiddle, 63));
  EXPECT_EQ(h3.image.At(64, 0), ColorToPixel(kMiddle));
  EXPECT_EQ(h3.image.At(127, 0), BandPixel(kMiddle, kTo, 63));
}

TEST(FillEffect, SolidForZeroAndEveryUnknownNumber) {
  for (int effect : {0, -1, 16, 1000}) {
    Canvas canvas(3, 3);
    canvas.draw.FillEffect(canvas.surface, effect, {1, 1, 3, 2}, kFrom, 0, kTo, 0, 0);
    EXPECT_EQ(canvas.image.At(1, 1), ColorToPixel(kFrom)) << effect;
    EXPECT_EQ(canvas.image.At(2, 1), ColorToPixel(kFrom)) << effect;
    EXPECT_EQ(canvas.image.At(1, 2), kUntouched) << effect;
  }
}

TEST(FillEffect, EmptyRectanglesDrawNothing) {
  for (int effect = 0; effect <= 15; ++effect) {
    for (const Rect& rect : {Rect{2, 2, 2, 6}, Rect{2, 2, 6, 2}, Rect{5, 5, 1, 1}}) {
      Canvas canvas(8, 8);
      canvas.draw.FillEffect(canvas.surface, effect, rect, kFrom, 0xFFFFFF, kTo, 30, 20);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(canvas.image.At(x, y), kUntouched) << effect;
    }
  }
}

TEST(FillEffect, FarOffAndHugeRectanglesNeverFault) {
  Canvas canvas(16, 16);
  const Rect huge{-40000, -40000, 40000, 40000};
  for (int effect = 0; effect <= 15; ++effect) {
    canvas.draw.FillEffect(canvas.surface, effect, huge, kFrom, 0, kTo, 255, 255);
    canvas.draw.FillEffect(canvas.surface, effect, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kFrom, 0, kTo, 0, 0);
  }
  // "metal" with a side over 32767 draws nothing.
  Canvas metal(4, 4);
  metal.draw.FillEffect(metal.surface, kEffectMetal, {0, 0, 32768, 4}, kFrom, 0, kTo, 0, 0);
  EXPECT_EQ(metal.image.At(0, 0), kUntouched);
  // "hardbump" one pixel high draws its rows without the edges.
  Canvas flat(20, 1);
  flat.draw.FillEffect(flat.surface, kEffectHardBump, {0, 0, 20, 1}, kFrom, 0, kTo, 0, 0);
  EXPECT_NE(flat.image.At(0, 0), kUntouched);
}

}  // namespace
}  // namespace tessel
