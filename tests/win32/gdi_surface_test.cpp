// The GDI surface against the software surface: the same drawing calls on a
// 32-bit DIB section and on a PixelImage must give the same pixels.

#include <gtest/gtest.h>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"
#include "richtext_win32/html_platform_win32.h"
#include "draw_win32/gdi_dib.h"
#include "draw_win32/gdi_image.h"
#include "draw_win32/gdi_surface.h"
#include "win32_base/wide_path.h"
#include "tests/draw/utf8_samples.h"

namespace tessel {
namespace {

constexpr int kWidth = 211;
constexpr int kHeight = 157;
constexpr Pixel kStart = 0x00336699;

// One picture drawn twice: through GDI into a DIB section, and in memory.
class TwoSurfaces : public ::testing::Test {
 protected:
  TwoSurfaces()
      : screen_(::GetDC(nullptr)), dib_(screen_, kWidth, kHeight), image_(kWidth, kHeight, kStart), software_(image_) {
    dib_.Store(image_);
    gdi_.emplace(dib_.dc());
  }
  ~TwoSurfaces() override {
    gdi_.reset();
    ::ReleaseDC(nullptr, screen_);
  }

  // Runs `draw` on both surfaces.
  template <typename Draw>
  void Both(Draw draw) {
    draw(static_cast<Surface&>(*gdi_), gdiManager_);
    draw(static_cast<Surface&>(software_), softwareManager_);
  }

  // Every pixel equal; reports the first difference.
  void ExpectSamePixels(const char* what) {
    const PixelImage gdiPixels = dib_.Load();
    ASSERT_EQ(gdiPixels.GetSize(), image_.GetSize());
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (gdiPixels.At(x, y) != image_.At(x, y)) {
          ADD_FAILURE() << what << ": pixel " << x << "," << y << " GDI " << std::hex << gdiPixels.At(x, y)
                        << " software " << image_.At(x, y);
          return;
        }
  }

  HDC screen_;
  GdiDib dib_;
  PixelImage image_;
  SoftwareSurface software_;
  std::optional<GdiSurface> gdi_;
  DrawManager gdiManager_, softwareManager_;
};

TEST_F(TwoSurfaces, SolidFills) {
  ASSERT_TRUE(dib_.ok());
  Both([](Surface& s, DrawManager&) {
    s.FillSolidRect({10, 10, 60, 40}, 0x86FDF7);
    s.FillSolidRect({-20, 100, 30, 300}, 0x123456);
    s.FillSolidRect({50, 50, 50, 90}, 0xFFFFFF);  // empty
    s.FillSolidRect({90, 90, 80, 80}, 0xFFFFFF);  // reversed
  });
  ExpectSamePixels("solid fills");
}

TEST_F(TwoSurfaces, GradientsAndTheirHalves) {
  Both([](Surface& s, DrawManager& d) {
    d.FillGradient(s, {0, 0, 211, 20}, 0x000000, 0xFFFFFF, true);
    d.FillGradient(s, {0, 20, 37, 157}, 0x86FDF7, 0x102030, false);
    d.FillGradient(s, {40, 20, 45, 25}, 0x0000FF, 0xFF0000, true);  // most bands empty
    for (int effect = 1; effect <= 6; ++effect)
      d.FillEffect(s, effect, MakeRect(40 + (effect - 1) * 28, 30, 27 - effect, 101 + effect), 0x993300, 0x00CCFF,
                   0xFFFFFF, 0, 0);
  });
  ExpectSamePixels("gradients");
}

TEST_F(TwoSurfaces, TexturesWithTheSameSeed) {
  struct Colours {
    ColorRef begin, middle, end;
    int noise, blend;
  };
  for (const Colours& c : {Colours{0x86FDF7, 0xFFFFFF, 0x86FDF7, 0, 0}, Colours{0x993300, 0x00CCFF, 0xFFFFFF, 12, 30},
                           Colours{0x000000, 0x808080, 0x0000FF, 255, 0x1FF}}) {
    for (int effect = 7; effect <= 15; ++effect) {
      Both([&](Surface& s, DrawManager& d) {
        d.FillEffect(s, effect, {3, 4, 190, 150}, c.begin, c.middle, c.end, c.noise, c.blend);
        d.FillEffect(s, effect, {150, 120, 260, 200}, c.end, c.begin, c.middle, c.noise, c.blend);  // cut off
        d.FillEffect(s, effect, {5, 140, 50, 141}, c.begin, c.middle, c.end, c.noise, c.blend);     // one row
      });
      ExpectSamePixels(("texture " + std::to_string(effect)).c_str());
    }
  }
}

TEST_F(TwoSurfaces, ImagesCopiedMaskedAndRead) {
  PixelImage picture(20, 10, 0x00FF00FF);
  for (int x = 0; x < 20; ++x) picture.Set(x, x / 2, 0x00102030u * static_cast<Pixel>(x % 5));
  Both([&](Surface& s, DrawManager& d) {
    s.DrawImage(MakeRect(5, 5, 20, 10), picture, MakeRect(0, 0, 20, 10), RasterOp::kCopy);
    d.DrawBitmap(s, 40, 40, 20, 10, &picture, true, 0xFF00FF, 0, false, 0, 0, 0, 0, 0);
    d.DrawBitmap(s, 70, 40, 20, 10, &picture, true, 0xFF00FF, kImageGrey | kImageDarker, true, 3, 3, 0, 0, 0);
    d.DrawFrame(s, {100, 100, 150, 130}, 0xFFFFFF, 0x000000, kLineSolid, 1);
    s.WritePixels(200, 150, picture);  // mostly outside
  });
  ExpectSamePixels("images");
  EXPECT_EQ(gdi_->ReadPixels({5, 5, 25, 15}), picture);
}

TEST_F(TwoSurfaces, ClippingLimitsDrawing) {
  Both([](Surface& s, DrawManager& d) {
    s.SetClipRect(Rect{20, 20, 80, 60});
    d.FillEffect(s, kEffectVBump, {0, 0, 211, 157}, 0x86FDF7, 0xFFFFFF, 0x86FDF7, 0, 0);
    s.SetClipRect(std::nullopt);
    s.FillSolidRect({100, 0, 110, 157}, 0);
  });
  ExpectSamePixels("clipping");
  EXPECT_EQ(gdi_->GetClipBox(), (Rect{0, 0, kWidth, kHeight}));
}

// A 16 x 16 icon: a filled square with a transparent border of 2 pixels.
IconImage SquareIcon() {
  PixelImage color(16, 16, 0), mask(16, 16, 0x00FFFFFF);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) {
      color.Set(x, y, MakePixel(20 * (x % 8), 200, 10 * y));
      mask.Set(x, y, 0);
    }
  return MakeIcon(color, mask);
}

TEST_F(TwoSurfaces, IconsDrawnThroughTheirMask) {
  const IconImage icon = SquareIcon();
  Both([&](Surface& s, DrawManager& d) {
    d.DrawIcon(s, 10, 10, 16, 16, &icon, 0, false, 0, 0, 0, 0, 0);
    d.DrawIcon(s, 40, 10, 16, 16, &icon, kImageRecolor, true, 2, 2, 0, 0, 0x0000FF);
  });
  ExpectSamePixels("icons");
}

TEST(GdiImage, BitmapsAndIconsSurviveTheRoundTrip) {
  PixelImage picture(7, 5, 0x00102030);
  picture.Set(6, 4, 0x00FFEEDD);
  framework::UniqueBitmap bitmap = BitmapFromPixelImage(picture);
  ASSERT_TRUE(bitmap);
  const auto back = PixelImageFromBitmap(bitmap.get());
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, picture);
  EXPECT_FALSE(BitmapFromPixelImage(PixelImage()));

  const IconImage icon = SquareIcon();
  framework::UniqueIcon handle = IconFromIconImage(icon);
  ASSERT_TRUE(handle);
  const auto read = IconImageFromIcon(handle.get());
  ASSERT_TRUE(read);
  EXPECT_EQ(DrawManager::GetIconSize(&*read), (Size{16, 16}));
  EXPECT_EQ(read->mask, icon.mask);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (icon.mask.At(x, y) != 0) continue;  // transparent: the colour does not matter
      ASSERT_EQ(read->color.At(x, y) & 0x00FFFFFF, icon.color.At(x, y)) << x << "," << y;
    }
}

TEST(GdiSurface, FontsAndTextMeasureAndDrawPlausibly) {
  HDC screen = ::GetDC(nullptr);
  GdiDib dib(screen, 200, 60);
  ASSERT_TRUE(dib.ok());
  const HGDIOBJ callerFont = ::GetCurrentObject(dib.dc(), OBJ_FONT);
  {
    GdiSurface surface(dib.dc());
    EXPECT_GT(surface.PixelsPerInchY(), 0);
    surface.FillSolidRect({0, 0, 200, 60}, 0xFFFFFF);
    surface.SetFont({.height = 16, .weight = 700, .face = "Arial"});
    const FontMetrics m = surface.GetFontMetrics();
    EXPECT_EQ(m.height, 16);
    EXPECT_EQ(m.ascent + m.descent, m.height);
    EXPECT_GT(m.xHeight, 0);
    EXPECT_LE(m.xHeight, m.ascent);
    EXPECT_GT(m.averageCharWidth, 0);
    const Size extent = surface.MeasureText("Tessel");
    EXPECT_GT(extent.cx, 20);
    EXPECT_LT(extent.cx, 120);
    EXPECT_EQ(extent.cy, 16);
    surface.SetTextJustification(10, 1);
    EXPECT_EQ(surface.MeasureText("a b").cx, surface.MeasureText("a b").cx);
    surface.SetTextJustification(0, 0);
    surface.SetTextColor(0x000000);
    EXPECT_EQ(surface.SetBackgroundMode(BackgroundMode::kTransparent), BackgroundMode::kOpaque);
    surface.DrawTextRun(10, 10, "Tessel");
    const PixelImage drawn = surface.ReadPixels({0, 0, 200, 60});
    int inked = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if ((drawn.At(x, y) & 0x00FFFFFF) != 0x00FFFFFF) {
          ++inked;
          if (!MakeRect(10, 10, extent.cx, extent.cy).Contains({x, y})) ++outside;
        }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(outside, 0);
    // Face names are UTF-8, like every text of ours.
    surface.SetFont({.height = 16, .face = "Шрифт"});
    LOGFONTW chosen{};
    ::GetObjectW(::GetCurrentObject(dib.dc(), OBJ_FONT), sizeof chosen, &chosen);
    EXPECT_TRUE(std::wstring(chosen.lfFaceName) == L"Шрифт");
    surface.SetFont({.height = 30, .face = "Times New Roman"});  // the fonts before are deleted
    EXPECT_EQ(surface.GetFontMetrics().height, 30);
  }
  EXPECT_EQ(::GetCurrentObject(dib.dc(), OBJ_FONT), callerFont);
  ::ReleaseDC(nullptr, screen);
}

// The software surface takes a cell per UTF-16 unit of what this conversion
// makes of a text, so its layouts have as many glyphs as GDI draws.
TEST(GdiSurface, TextBecomesTheUtf16UnitsTheSoftwareSurfaceCounts) {
  PixelImage image(1, 1);
  SoftwareSurface software(image);
  software.SetFont({.height = 2});  // one pixel a cell
  for (const Utf8Sample& sample : kUtf8Samples) {
    EXPECT_EQ(WidePath(sample.text).size(), static_cast<std::size_t>(sample.utf16Units)) << sample.text;
    EXPECT_EQ(software.MeasureText(sample.text).cx, sample.utf16Units) << sample.text;
  }
}

}  // namespace
}  // namespace tessel
