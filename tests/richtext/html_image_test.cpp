// Images in rich text: sources in order, sizes, masks, strips, shadows and
// placement in the line.
#include <gtest/gtest.h>

#include "richtext/html_drawer.h"
#include "tests/richtext/html_test_ports.h"
#include "tests/richtext/html_test_surface.h"

namespace tessel {
namespace {

constexpr Pixel kWhite = 0x00FFFFFF;
const Pixel kRed = ColorToPixel(MakeColor(255, 0, 0));
const Pixel kBlue = ColorToPixel(MakeColor(0, 0, 255));
const Pixel kMagenta = ColorToPixel(MakeColor(255, 0, 255));

class HtmlImageTest : public ::testing::Test {
 protected:
  HtmlImageTest() {
    images->AddBitmap(ImageSource::From::kResource, {5, ""}, PixelImage(4, 3, kRed));
    images->AddBitmap(ImageSource::From::kFile, {0, "blue.bmp"}, PixelImage(4, 3, kBlue));
    PixelImage keyed(4, 3, kRed);
    keyed.Set(0, 0, kMagenta);
    images->AddBitmap(ImageSource::From::kLibrary, {6, "pics.dll"}, keyed);
    PixelImage strip(8, 4, kRed);
    for (int y = 0; y < 4; ++y)
      for (int x = 4; x < 8; ++x) strip.Set(x, y, kBlue);
    images->AddBitmap(ImageSource::From::kHandle, {0x1234, ""}, strip);
    images->AddIcon(ImageSource::From::kResource, {7, ""}, MakeIcon(PixelImage(32, 32, kBlue), PixelImage(32, 32, 0)));
  }
  Size Measure(std::string_view text) { return drawer.Measure(surface, text); }
  void Draw(std::string_view text) {
    drawer.Measure(surface, text);
    drawer.Draw(surface, {10, 5, 200, 100});
  }
  Pixel At(int x, int y) const { return surface.image.At(x, y); }

  TestPorts ports;
  std::shared_ptr<MemoryImageLoader> images = ports.images;
  HtmlDrawer drawer{ports.Platform()};
  RecordingSurface surface;
};

TEST_F(HtmlImageTest, BitmapAtItsOwnSize) {
  EXPECT_EQ(Measure("<bmp idres=5>"), (Size{5, 4}));
  Draw("<bmp idres=5>");
  EXPECT_EQ(At(10, 5), kRed);
  EXPECT_EQ(At(13, 7), kRed);
  EXPECT_EQ(At(14, 7), kWhite);
  EXPECT_EQ(At(13, 8), kWhite);
}

TEST_F(HtmlImageTest, SourcesAreTriedInOrderAndMissingImagesTakeNoRoom) {
  Draw("<bmp file=blue.bmp idres=5>");
  EXPECT_EQ(At(10, 5), kRed);
  Draw("<bmp file=blue.bmp idres=99>");
  EXPECT_EQ(At(10, 5), kBlue);
  EXPECT_EQ(Measure("a<bmp idres=99>b"), (Size{13, 14}));
}

TEST_F(HtmlImageTest, SitsOnTheBaselineOfTheLine) {
  Draw("a<bmp idres=5 width=200% height=6>");
  // Line: ascent 10, descent 3; the 8 x 6 image ends at the base line (y 10).
  EXPECT_EQ(At(16, 5 + 10 - 6), kRed);
  EXPECT_EQ(At(23, 5 + 9), kRed);
  EXPECT_EQ(At(23, 5 + 10), kWhite);
  EXPECT_EQ(At(24, 5 + 9), kWhite);
}

TEST_F(HtmlImageTest, MaskColourStaysTransparent) {
  Draw("<bmp iddll=6 srcdll=pics.dll mask=#ff00ff>");
  EXPECT_EQ(At(10, 5), kWhite);
  EXPECT_EQ(At(11, 5), kRed);
}

TEST_F(HtmlImageTest, StripFrameFromAHandle) {
  EXPECT_EQ(Measure("<ilst handle=0x1234 cx=4 index=1>"), (Size{5, 5}));
  Draw("<ilst handle=0x1234 cx=4 index=1>");
  EXPECT_EQ(At(10, 5), kBlue);
  EXPECT_EQ(At(14, 5), kWhite);
  Draw("<ilst handle=0x1234 speed=3>");  // frames default to 4 x 4 squares
  EXPECT_EQ(At(10, 5), kRed);
}

TEST_F(HtmlImageTest, IconsAtTheSystemSizeOrAPercentage) {
  EXPECT_EQ(Measure("<icon idres=7>"), (Size{33, 33}));
  EXPECT_EQ(Measure("<icon idres=7 width=50% height=50%>"), (Size{17, 17}));
  Draw("<icon idres=7 width=50% height=50%>");
  EXPECT_EQ(At(10, 5), kBlue);
  EXPECT_EQ(At(25, 20), kBlue);
  EXPECT_EQ(At(26, 20), kWhite);
}

TEST_F(HtmlImageTest, ShadowAddsItsOffsets) {
  EXPECT_EQ(Measure("<bmp idres=5 style=s>"), (Size{9, 8}));
  ImageShadowSettings none;
  none.offsetX = none.offsetY = 0;
  drawer.SetImageShadow(none);
  EXPECT_EQ(Measure("<bmp idres=5 style=s>"), (Size{5, 4}));
}

TEST_F(HtmlImageTest, ColoursDisabledDrawImagesFlat) {
  drawer.SetColorsEnabled(false);
  drawer.SetReplacementColor(MakeColor(9, 9, 9));
  Draw("<bmp idres=5 style=g>");
  EXPECT_EQ(At(10, 5), ColorToPixel(MakeColor(9, 9, 9)));
}

TEST_F(HtmlImageTest, ImagesInLinksAddAreas) {
  Draw("<a href=x><bmp idres=5></a>");
  ASSERT_EQ(drawer.LinkAreas().size(), 1u);
  EXPECT_EQ(drawer.LinkAreas()[0].rect, (Rect{10, 5, 14, 8}));
}

TEST_F(HtmlImageTest, WideImageStartsANewLine) {
  drawer.SetMaxWidth(8);
  EXPECT_EQ(Measure("a<bmp idres=5>"), (Size{7, 13 + 3 + 1}));
}

TEST_F(HtmlImageTest, OwnedResourceModuleIsFreed) {
  {
    HtmlDrawer owner{ports.Platform()};
    owner.SetResourceModule(reinterpret_cast<ModuleHandle>(std::intptr_t{8}), true);
    owner.SetResourceModule(reinterpret_cast<ModuleHandle>(std::intptr_t{9}), false);
    EXPECT_EQ(images->freedModules, 1);
    owner.SetResourceModule(reinterpret_cast<ModuleHandle>(std::intptr_t{10}), true);
  }
  EXPECT_EQ(images->freedModules, 2);
}

}  // namespace
}  // namespace tessel
