// Every drawing call with far-off, empty, reversed and huge arguments: nothing
// may fault, overflow or draw outside the surface (the sanitizer run checks).

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace tessel {
namespace {

TEST(DrawManagerRobustness, ExtremeArgumentsNeverFault) {
  constexpr int kValues[] = {INT_MIN, -40000, -3, -1, 0, 1, 2, 5, 9, 33, 32767, 32768, INT_MAX};
  std::mt19937 random(7);
  auto pick = [&] { return kValues[random() % std::size(kValues)]; };
  PixelImage target(24, 16, 0x00FFFFFF);
  SoftwareSurface surface(target);
  DrawManager draw;
  PixelImage picture(6, 4, 0x80FF00FF);
  picture.Set(1, 1, 0x00000000);
  const IconImage icon = MakeIcon(picture, PixelImage(3, 3, 0x00FFFFFF));
  for (int round = 0; round < 300; ++round) {
    // Sizes of images stay small, so that a round does not allocate a huge picture.
    const int w = pick() % 50, h = pick() % 50;
    draw.FillEffect(surface, pick() % 17, {pick(), pick(), pick(), pick()}, 0x86FDF7, 0xFFFFFF, 0x123456, pick(),
                    pick());
    draw.DrawFrame(surface, {pick(), pick(), pick(), pick()}, 0, 0xFF, pick() % 8, pick() % 9);
    draw.DrawStyledLine(surface, pick(), pick(), pick(), pick(), 0xFF00, pick() % 8, pick() % 9);
    draw.DrawBitmap(surface, pick(), pick(), w, h, &picture, true, 0xFF00FF, pick(), true, pick(), pick(), pick(),
                    pick(), 0);
    draw.DrawIcon(surface, pick(), pick(), w, h, &icon, pick(), true, pick(), pick(), pick() % 40, pick() % 40, 0);
    draw.DrawImageListCell(surface, pick(), pick(), w, h, &picture, pick(), pick(), pick(), false, 0,
                           kImageBlurredShadow, true, 1, 1, pick(), pick(), 0);
    draw.TileBitmap(surface, pick(), pick(), pick(), pick(), picture, pick(), pick(), pick() % 9, pick() % 9);
    draw.AlphaBlit(surface, pick(), pick(), w, h, picture);
  }
  EXPECT_EQ(target.GetSize(), (Size{24, 16}));
}

}  // namespace
}  // namespace tessel
