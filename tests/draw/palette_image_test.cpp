#include "draw/palette_image.h"

#include <gtest/gtest.h>

#include "draw/software_surface.h"

namespace tessel {
namespace {

TEST(PaletteImage, RowsArePaddedToFourBytesAndStoredBottomUp) {
  PaletteImage image;
  ASSERT_TRUE(image.Create(5, 3, 8));
  EXPECT_EQ(image.BytesPerRow(), 8);
  EXPECT_EQ(image.ImageSize(), 24u);
  EXPECT_EQ(image.PaletteCount(), 256);
  image.Fill(0);
  image.SetPixel(1, 0, 9);  // top row
  EXPECT_EQ(image.StoredRow(2)[1], 9);
  image.SetPixel(5, 0, 1);   // outside: ignored
  image.SetPixel(0, -1, 1);  // outside: ignored
  EXPECT_EQ(image.StoredRow(3), nullptr);

  ASSERT_TRUE(image.Create(33, 2, 1));
  EXPECT_EQ(image.BytesPerRow(), 8);
  EXPECT_EQ(image.PaletteCount(), 2);
  image.Fill(0);
  image.SetPixel(9, 1, 1);
  EXPECT_EQ(image.StoredRow(0)[1], 0x40);  // leftmost pixel in the high bit
  ASSERT_TRUE(image.Create(3, 1, 4));
  EXPECT_EQ(image.BytesPerRow(), 4);
  EXPECT_EQ(image.PaletteCount(), 16);
}

TEST(PaletteImage, RefusesWhatItCannotHold) {
  PaletteImage image;
  EXPECT_FALSE(image.Create(4, 4, 24));
  EXPECT_FALSE(image.Create(0, 4, 8));
  EXPECT_FALSE(image.Create(32768, 1, 8));
  EXPECT_FALSE(image.Create(32767, 32767, 8));
  EXPECT_TRUE(image.IsEmpty());
  image.SetPixel(0, 0, 1);
  image.Fill(3);
  PixelImage target(2, 2, 5);
  SoftwareSurface surface(target);
  image.Draw(surface, 0, 0);  // nothing to draw
  EXPECT_EQ(target.At(0, 0), 5u);
}

TEST(PaletteImage, PaletteEntriesAndBlending) {
  PaletteImage image;
  ASSERT_TRUE(image.Create(2, 2, 8));
  image.SetPaletteEntry(1, 10, 20, 30);
  image.SetPaletteEntry(256, 1, 1, 1);  // beyond the entries: ignored
  EXPECT_EQ(image.PaletteEntry(1), MakePixel(10, 20, 30));
  image.BlendPalette(MakeColor(110, 120, 130), 50);
  EXPECT_EQ(image.PaletteEntry(1), MakePixel(60, 70, 80));
  EXPECT_EQ(image.PaletteEntry(0), MakePixel(55, 60, 65));
  image.BlendPalette(MakeColor(1, 2, 3), 250);  // counts as 100
  EXPECT_EQ(image.PaletteEntry(7), MakePixel(1, 2, 3));
}

TEST(PaletteImage, DrawsThroughThePaletteTopRowFirst) {
  PaletteImage image;
  ASSERT_TRUE(image.Create(2, 2, 8));
  image.SetPaletteEntry(0, 255, 0, 0);
  image.SetPaletteEntry(1, 0, 0, 255);
  image.Fill(0);
  image.SetPixel(1, 0, 1);
  PixelImage target(4, 4, 0x00FFFFFF);
  SoftwareSurface surface(target);
  image.Draw(surface, 1, 1);
  image.Draw(surface, 1, 1);  // the second draw reuses the 32-bit copy
  EXPECT_EQ(target.At(1, 1), 0x00FF0000u);
  EXPECT_EQ(target.At(2, 1), 0x000000FFu);
  EXPECT_EQ(target.At(2, 2), 0x00FF0000u);
  EXPECT_EQ(target.At(3, 3), 0x00FFFFFFu);
}

// A picture taller than one drawing band: every row must land once, in its
// place, including the rows of the last (shifted) band.
TEST(PaletteImage, TallImagesDrawEveryRowAcrossBands) {
  const int width = 300, height = 400;
  PaletteImage image;
  ASSERT_TRUE(image.Create(width, height, 8));
  for (int i = 0; i < 256; ++i) image.SetPaletteEntry(i, i, 255 - i, i / 2);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, (y * 7 + x / 100) % 256);
  PixelImage target(width + 2, height + 2, 0x00123456);
  SoftwareSurface surface(target);
  image.Draw(surface, 1, 1);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; x += 99)
      ASSERT_EQ(target.At(x + 1, y + 1), image.PaletteEntry((y * 7 + x / 100) % 256)) << x << "," << y;
  EXPECT_EQ(target.At(0, 0), 0x00123456u);
  EXPECT_EQ(target.At(width + 1, height + 1), 0x00123456u);
}

}  // namespace
}  // namespace tessel
