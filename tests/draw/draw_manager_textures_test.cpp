#include <gtest/gtest.h>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

constexpr ColorRef kBegin = MakeColor(200, 100, 50);
constexpr ColorRef kMiddle = MakeColor(10, 20, 30);
constexpr ColorRef kEnd = MakeColor(0, 128, 255);

struct Texture {
  Texture(int effect, int width, int height, ColorRef begin, ColorRef middle, ColorRef end, int noise = 0,
          int blend = 0)
      : image(width, height), surface(image) {
    draw.FillEffect(surface, effect, {0, 0, width, height}, begin, middle, end, noise, blend);
  }
  // The pixel a palette index stands for.
  Pixel Entry(int index) const { return draw.GetPaletteImage().PaletteEntry(index & 0xFF); }
  PixelImage image;
  SoftwareSurface surface;
  DrawManager draw;
};

TEST(TexturePalette, RunsFromEndOverMiddleToBegin) {
  Texture t(kEffectNoise, 2, 2, kBegin, kMiddle, kEnd);
  EXPECT_EQ(t.Entry(0), ColorToPixel(kEnd));
  EXPECT_EQ(t.Entry(255), ColorToPixel(kBegin));
  // Entry 128 is written twice; the second value, (begin + 127 middle) / 128, stays.
  EXPECT_EQ(t.Entry(128), MakePixel((200 + 127 * 10) / 128, (100 + 127 * 20) / 128, (50 + 127 * 30) / 128));
  EXPECT_EQ(t.Entry(64), MakePixel(5, (128 * 64 + 20 * 64) / 128, (255 * 64 + 30 * 64) / 128));
}

TEST(TexturePalette, BlendsTowardTheBeginColourByTheLowByte) {
  Texture t(kEffectNoise, 2, 2, kBegin, kMiddle, kEnd, 0, 0x100 + 50);
  EXPECT_EQ(t.Entry(0), MakePixel(100, (100 * 50 + 128 * 50) / 100, (50 * 50 + 255 * 50) / 100));
  EXPECT_EQ(t.Entry(255), ColorToPixel(kBegin));
}

// Replays the random source: noise terms in the order the pixels are made
// (stored rows bottom up, each left to right).
struct NoiseReplay {
  explicit NoiseReplay(int g) : g(g), divisor(32767 / std::max(2 * g, 1)) {}
  int Raw() { return random.Next() / divisor; }
  int Term() { return Raw() - g; }
  int g, divisor;
  TextureRandom random;
};

TEST(Textures, NoiseIsTheRandomSourceAroundTheMiddle) {
  for (int g : {0, 1, 10, 127, 200, 255}) {
    Texture t(kEffectNoise, 64, 64, kBegin, kMiddle, kEnd, 0x300 + g);
    NoiseReplay replay(g);
    for (int y = 63; y >= 0; --y)
      for (int x = 0; x < 64; ++x)
        ASSERT_EQ(t.image.At(x, y), t.Entry(128 - g + replay.Raw())) << g << " " << x << "," << y;
  }
}

TEST(Textures, ShadesFollowTheirFormulas) {
  const int w = 40, h = 30, g = 20;
  Texture h9(kEffectHShade, w, h, kBegin, kMiddle, kEnd, g);
  Texture v10(kEffectVShade, w, h, kBegin, kMiddle, kEnd, g);
  Texture d8(kEffectDiagShade, w, h, kBegin, kMiddle, kEnd, g);
  NoiseReplay rh(g), rv(g), rd(g);
  const int n = (255 - 2 * g) / 2;
  for (int y = 0; y < h; ++y) {
    const int top = h - 1 - y;  // y counts from the bottom row
    for (int x = 0; x < w; ++x) {
      ASSERT_EQ(h9.image.At(x, top), h9.Entry((255 - 2 * g) * y / h + g + rh.Term()));
      ASSERT_EQ(v10.image.At(x, top), v10.Entry((255 - 2 * g) * (w - x) / w + g + rv.Term()));
      ASSERT_EQ(d8.image.At(x, top), d8.Entry(n * y / h + n * (w - x) / w + g + rd.Term()));
    }
  }
}

TEST(Textures, HShadeWithoutNoiseRunsFromEndAtTheBottom) {
  Texture t(kEffectHShade, 3, 255, kBegin, kMiddle, kEnd);
  NoiseReplay replay(0);
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 3; ++x)
      ASSERT_EQ(t.image.At(x, 254 - y), t.Entry(y + replay.Term()));  // the term is 1 only for 32767
  EXPECT_EQ(t.image.At(0, 254), ColorToPixel(kEnd));
}

TEST(Textures, VBumpWithEqualOuterColoursHasThemAtBothEdges) {
  constexpr ColorRef kRed = MakeColor(255, 0, 0), kWhite = 0xFFFFFF;
  Texture t(kEffectVBump, 256, 4, kRed, kWhite, kRed);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(t.image.At(0, y), ColorToPixel(kRed));  // index 255 (or 0)
    EXPECT_EQ(t.image.At(128, y), t.Entry(128));      // the middle colour
    EXPECT_EQ(t.image.At(255, y), t.Entry(3));        // S(-127) + 128
    EXPECT_EQ(t.Entry(3), MakePixel(255, 5, 5));
  }
  EXPECT_EQ(t.Entry(128), MakePixel(255, 253, 253));
}

TEST(Textures, BumpsFollowTheirFormulas) {
  const int w = 50, h = 36, g = 30;
  auto cube = [](int t) { return ((t * t * t) / 128) / 128; };
  Texture hb(kEffectHBump, w, h, kBegin, kMiddle, kEnd, g);
  Texture sb(kEffectSoftBump, w, h, kBegin, kMiddle, kEnd, g);
  NoiseReplay rh(g), rs(g);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int r = cube(255 * y / h - 127), c = cube(255 * (w - x) / w - 127);
      ASSERT_EQ(hb.image.At(x, h - 1 - y), hb.Entry(r * (128 - g) / 128 + 128 + rh.Term()));
      int p = (r + c) * (128 - g) / 128 + 128;
      p = std::max(p, g);
      ASSERT_EQ(sb.image.At(x, h - 1 - y), sb.Entry(std::min(p, 255 - g) + rs.Term()));
    }
  }
}

TEST(Textures, HardBumpBevelsTheEdges) {
  // Without noise the bevels are plain: 128 - 128x/B at the left, 128(w - x)/B at the right.
  Texture t(kEffectHardBump, 60, 40, kBegin, kMiddle, kEnd);
  const int band = 10;    // min(60 / 6, 16)
  const int middle = 20;  // a top-down row with y = 19 from the bottom
  EXPECT_EQ(t.image.At(0, middle), t.Entry(255 - 0));
  EXPECT_EQ(t.image.At(5, middle), t.Entry(255 - 128 * 5 / band));
  EXPECT_EQ(t.image.At(59, middle), t.Entry(128 * 1 / band));
  EXPECT_EQ(t.image.At(30, middle), t.Entry(128));
}

TEST(Textures, MetalIsDeterministic) {
  Texture a(kEffectMetal, 70, 50, kBegin, kMiddle, kEnd, 8);
  Texture b(kEffectMetal, 70, 50, kBegin, kMiddle, kEnd, 8);
  EXPECT_EQ(a.image, b.image);
  // The scratches differ from the plain shade somewhere.
  Texture shade(kEffectDiagShade, 70, 50, kBegin, kMiddle, kEnd, 8);
  EXPECT_NE(a.image, shade.image);
}

}  // namespace
}  // namespace tessel
