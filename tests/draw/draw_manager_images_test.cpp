#include <gtest/gtest.h>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

constexpr Pixel kPaper = 0x00FFFFFF;
constexpr ColorRef kKey = MakeColor(255, 0, 255);
constexpr Pixel kKeyPixel = ColorToPixel(kKey);
constexpr Pixel kPlain = MakePixel(100, 150, 200);

struct Canvas {
  explicit Canvas(Pixel paper = kPaper) : image(12, 12, paper), surface(image) {}
  PixelImage image;
  SoftwareSurface surface;
  DrawManager draw;
};

// A 2 x 2 picture: plain, key / key, red.
PixelImage Picture() {
  PixelImage p(2, 2);
  p.Set(0, 0, kPlain);
  p.Set(1, 0, kKeyPixel);
  p.Set(0, 1, kKeyPixel);
  p.Set(1, 1, 0x00FF0000);
  return p;
}

TEST(ApplyImageEffects, KeyGreyDarkerLighterRecolourInvert) {
  DrawManager draw;
  const PixelImage picture = Picture();
  auto first = [&](int flags, bool useKey = true) {
    return draw.ApplyImageEffects(picture, 2, 2, flags, useKey, kKey, MakeColor(1, 2, 3));
  };
  EXPECT_EQ(first(0).At(1, 0), 0u);  // the key becomes 0
  EXPECT_EQ(first(0, false).At(1, 0), kKeyPixel);
  EXPECT_EQ(first(0).At(0, 0), kPlain);
  EXPECT_EQ(first(kImageGrey).At(0, 0), MakePixel(140, 140, 140));  // .299, .587, .114, truncated
  EXPECT_EQ(first(kImageGrey).At(1, 1), MakePixel(76, 76, 76));
  EXPECT_EQ(first(kImageDarker).At(0, 0), MakePixel(75, 112, 150));
  EXPECT_EQ(first(kImageLighter).At(0, 0), MakePixel(125, 187, 250));
  EXPECT_EQ(first(kImageLighter).At(1, 1), MakePixel(255, 0, 0));
  EXPECT_EQ(first(kImageRecolor).At(0, 0), MakePixel(1, 2, 3));
  EXPECT_EQ(first(kImageRecolor).At(1, 0), 0u);  // the key is not recoloured
  EXPECT_EQ(first(kImageInvert).At(0, 0), MakePixel(155, 105, 55));
  EXPECT_EQ(first(kImageInvert).At(1, 0), kPaper);  // inverted whether or not it was the key
  EXPECT_EQ(first(kImageGrey | kImageDarker).At(0, 0), MakePixel(105, 105, 105));
  EXPECT_FALSE(draw.HasAlpha());
}

TEST(ApplyImageEffects, KeepsAlphaAndNotesIt) {
  DrawManager draw;
  PixelImage picture = Picture();
  picture.Set(0, 0, 0x80000000 | kPlain);
  const PixelImage result = draw.ApplyImageEffects(picture, 2, 2, kImageInvert, true, kKey, 0);
  EXPECT_EQ(result.At(0, 0), 0x80000000 | MakePixel(155, 105, 55));
  EXPECT_TRUE(draw.HasAlpha());
}

TEST(DrawBitmap, KeyPixelsLeaveTheBackground) {
  Canvas c;
  const PixelImage picture = Picture();
  c.draw.DrawBitmap(c.surface, 3, 4, 2, 2, &picture, true, kKey, 0, false, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.image.At(3, 4), kPlain);
  EXPECT_EQ(c.image.At(4, 4), kPaper);
  EXPECT_EQ(c.image.At(3, 5), kPaper);
  EXPECT_EQ(c.image.At(4, 5), 0x00FF0000u);
  EXPECT_FALSE(c.draw.HasAlpha());
  // Without the key the key colour is drawn; scaled to 4 x 4 each pixel doubles.
  c.draw.DrawBitmap(c.surface, 6, 6, 4, 4, &picture, false, kKey, 0, false, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.image.At(8, 7), kKeyPixel);
  EXPECT_EQ(c.image.At(9, 9), 0x00FF0000u);
  EXPECT_EQ(c.image.At(10, 10), kPaper);
  c.draw.DrawBitmap(c.surface, 0, 0, 4, 4, nullptr, false, 0, 0, true, 1, 1, 3, 3, 0);
  c.draw.DrawBitmap(c.surface, 0, 0, 0, -4, &picture, false, 0, 0, true, 1, 1, 3, 3, 0);
  c.draw.DrawBitmap(c.surface, INT_MAX - 1, 0, 2, 2, &picture, false, 0, kImageBlurredShadow, true, INT_MAX, INT_MIN,
                    INT_MAX, INT_MIN, 0);
  EXPECT_EQ(c.image.At(0, 0), kPaper);
}

TEST(DrawBitmap, AnyAlphaDrawsEverythingByBlending) {
  Canvas c(MakePixel(0, 0, 0));
  PixelImage picture = Picture();
  picture.Set(1, 1, 0x80FFFFFF);              // half-transparent white
  picture.Set(0, 1, 0xFF000000 | kKeyPixel);  // a key-coloured pixel with alpha is drawn
  c.draw.DrawBitmap(c.surface, 0, 0, 2, 2, &picture, true, kKey, 0, false, 0, 0, 0, 0, 0);
  EXPECT_TRUE(c.draw.HasAlpha());
  EXPECT_EQ(c.image.At(1, 1), MakePixel(128, 128, 128));  // 0x80 x 255 / 255
  EXPECT_EQ(c.image.At(0, 1), kKeyPixel);
  EXPECT_EQ(c.image.At(1, 0), 0u);  // the key without alpha: alpha 0, nothing shows
  EXPECT_EQ(c.image.At(0, 0), 0u);  // so does every pixel with alpha 0
}

TEST(DrawBitmap, ShadowsSharpBlurredAndPlain) {
  const PixelImage square(2, 2, kPlain);
  Canvas sharp;
  sharp.draw.DrawBitmap(sharp.surface, 2, 2, 2, 2, &square, false, 0, kImageShadow, true, 1, 1, 0, 0,
                        MakeColor(128, 128, 128));
  EXPECT_EQ(sharp.image.At(4, 4), MakePixel(128, 128, 128));  // white x 128 / 255
  EXPECT_EQ(sharp.image.At(3, 3), kPlain);                    // the picture over its shadow
  EXPECT_EQ(sharp.image.At(5, 5), kPaper);

  Canvas plain;
  plain.draw.DrawBitmap(plain.surface, 2, 2, 2, 2, &square, false, 0, 0, true, 2, 0, 0, 0, 0);
  EXPECT_EQ(plain.image.At(5, 2), kPlain);  // the picture itself at the shadow position

  Canvas blurred;
  const PixelImage big(8, 8, kPlain);
  blurred.draw.DrawBitmap(blurred.surface, 0, 0, 8, 8, &big, false, 0, kImageBlurredShadow, true, 3, 3, 2, 2, 0);
  // Window 3 x 3 (2 made odd); the black shape is stretched to 5 x 5 at (1, 1)
  // of the 8 x 8 shadow at (3, 3). Shadow (5, 3): 3 of 9 window pixels are white.
  EXPECT_EQ(blurred.image.At(8, 6), MakePixel(85, 85, 85));
  // Shadow (7, 7): 4 white, 5 outside counting 1: 255 x 1025 / 2295.
  EXPECT_EQ(blurred.image.At(10, 10), MakePixel(113, 113, 113));
  EXPECT_EQ(blurred.image.At(11, 11), kPaper);
  EXPECT_EQ(blurred.image.At(0, 0), kPlain);
}

TEST(BoxBlur, PositionsOutsideCountAsOne) {
  const std::vector<std::uint8_t> square(4, 255);
  const auto corners = DrawManager::BoxBlur(square, 2, 2, 3, 3);
  EXPECT_EQ(corners, (std::vector<std::int64_t>(4, 4 * 255 + 5)));
  const std::vector<std::uint8_t> row{10, 20, 30};
  EXPECT_EQ(DrawManager::BoxBlur(row, 3, 1, 3, 1), (std::vector<std::int64_t>{31, 60, 51}));
  EXPECT_EQ(DrawManager::BoxBlur(row, 3, 1, 3, 3), (std::vector<std::int64_t>{37, 66, 57}));
  EXPECT_EQ(DrawManager::BoxBlur(row, 3, 1, 9, 1), (std::vector<std::int64_t>{66, 66, 66}));
  EXPECT_TRUE(DrawManager::BoxBlur(row, 4, 1, 3, 3).empty());  // plane too small
}

TEST(DrawShadow, DarkensByTheBlueByteAndLeavesWhiteAlone) {
  Canvas c(MakePixel(200, 100, 50));
  PixelImage shadow(2, 1, kPaper);
  shadow.Set(0, 0, MakePixel(0, 0, 51));  // factor 0.2
  c.draw.DrawShadow(c.surface, 1, 1, 2, 1, shadow, false, 0, 0);
  EXPECT_EQ(c.image.At(1, 1), MakePixel(40, 20, 10));
  EXPECT_EQ(c.image.At(2, 1), MakePixel(200, 100, 50));
}

TEST(AlphaBlit, BlendsChannelByChannel) {
  Canvas c(MakePixel(0, 100, 255));
  PixelImage source(1, 1, 0x33FFFFFF);  // alpha 0x33 = 0.2
  c.draw.AlphaBlit(c.surface, 0, 0, 1, 1, source);
  EXPECT_EQ(c.image.At(0, 0), MakePixel(51, 131, 255));
}

TEST(DrawIcon, MaskShapesTheIconAndRecolouringUsesIt) {
  PixelImage color(2, 2, MakePixel(10, 20, 30)), mask(2, 2, 0);
  color.Set(1, 1, 0);
  mask.Set(1, 1, kPaper);  // transparent corner
  const IconImage icon = MakeIcon(color, mask);
  EXPECT_EQ(DrawManager::GetIconSize(&icon), (Size{2, 2}));
  EXPECT_EQ(DrawManager::GetIconSize(nullptr), (Size{0, 0}));

  Canvas c(MakePixel(1, 1, 1));
  c.draw.DrawIcon(c.surface, 0, 0, 2, 2, &icon, 0, false, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.image.At(0, 0), MakePixel(10, 20, 30));
  EXPECT_EQ(c.image.At(1, 1), MakePixel(1, 1, 1));
  c.draw.DrawIcon(c.surface, 4, 4, 4, 4, &icon, kImageRecolor, false, 0, 0, 0, 0, MakeColor(9, 9, 9));
  EXPECT_EQ(c.image.At(4, 4), MakePixel(9, 9, 9));
  EXPECT_EQ(c.image.At(5, 5), MakePixel(9, 9, 9));
  EXPECT_EQ(c.image.At(6, 6), MakePixel(1, 1, 1));
  c.draw.DrawIcon(c.surface, 0, 0, 2, 2, nullptr, 0, false, 0, 0, 0, 0, 0);
}

TEST(DrawImageListCell, TakesTheIndexedCellAndNothingBeyondTheLast) {
  PixelImage strip(6, 4);  // 3 columns x 2 rows of 2 x 2 cells
  for (int i = 0; i < 6; ++i) {
    const int x = 2 * (i % 3), y = 2 * (i / 3);
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx) strip.Set(x + dx, y + dy, MakePixel(i, i, i));
  }
  Canvas c;
  c.draw.DrawImageListCell(c.surface, 0, 0, 2, 2, &strip, 4, 2, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.image.At(1, 1), MakePixel(4, 4, 4));
  for (int index : {6, 7, -1})
    c.draw.DrawImageListCell(c.surface, 4, 4, 2, 2, &strip, index, 2, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  c.draw.DrawImageListCell(c.surface, 4, 4, 2, 2, &strip, 0, 0, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  c.draw.DrawImageListCell(c.surface, 4, 4, 2, 2, &strip, 0, 7, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  c.draw.DrawImageListCell(c.surface, 4, 4, 2, 2, nullptr, 0, 2, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.image.At(4, 4), kPaper);
}

TEST(TileBitmap, RepeatsTheCellAndClipsTheLastColumnAndRow) {
  PixelImage source(4, 4, 0);
  source.Set(1, 1, MakePixel(1, 0, 0));
  source.Set(2, 1, MakePixel(2, 0, 0));
  source.Set(1, 2, MakePixel(3, 0, 0));
  Canvas c;
  c.draw.TileBitmap(c.surface, 1, 1, 5, 3, source, 1, 1, 2, 2);
  EXPECT_EQ(c.image.At(1, 1), MakePixel(1, 0, 0));
  EXPECT_EQ(c.image.At(3, 1), MakePixel(1, 0, 0));
  EXPECT_EQ(c.image.At(4, 1), MakePixel(2, 0, 0));
  EXPECT_EQ(c.image.At(5, 1), MakePixel(1, 0, 0));
  EXPECT_EQ(c.image.At(6, 1), kPaper);
  EXPECT_EQ(c.image.At(5, 3), MakePixel(1, 0, 0));
  EXPECT_EQ(c.image.At(1, 4), kPaper);
  c.draw.TileBitmap(c.surface, INT_MIN, INT_MIN, INT_MAX, INT_MAX, source, 0, 0, 1, 1);
  EXPECT_EQ(DrawManager::GetBitmapSize(&source), (Size{4, 4}));
  EXPECT_EQ(DrawManager::GetBitmapSize(nullptr), (Size{0, 0}));
}

}  // namespace
}  // namespace tessel
