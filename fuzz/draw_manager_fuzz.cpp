// The draw manager's public calls, in any order, with any arguments, on a
// small software surface: the input is a run of calls, each a byte that picks
// it and the numbers it takes. Positions and shadows take any int; the sizes
// of images the call makes stay under 128, so a run does not allocate gigabytes
// (what the drawing sizes beyond that do is the same code).
#include <vector>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

namespace {

constexpr int kLargestMadeImage = 128;  // twice the surface: every edge case of clipping

int MadeSide(std::int32_t value) { return value % kLargestMadeImage; }  // may be negative

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  fuzz::FuzzInput input(data, size);
  PixelImage target(48, 32, 0xFF808080);
  SoftwareSurface surface(target);
  DrawManager draw;
  PixelImage picture(6, 4, 0x80FF00FF);
  picture.Set(1, 1, 0x00000000);
  const IconImage icon = MakeIcon(picture, PixelImage(3, 3, 0x00FFFFFF));
  const PixelImage empty;
  auto rect = [&] { return Rect{input.Int(), input.Int(), input.Int(), input.Int()}; };
  auto color = [&] { return static_cast<ColorRef>(input.Int()); };
  auto image = [&]() -> const PixelImage* {
    switch (input.Byte() % 3) {
      case 0:
        return &picture;
      case 1:
        return &empty;
      default:
        return nullptr;
    }
  };

  for (int call = 0; call < 64 && !input.Empty(); ++call) {
    switch (input.Byte() % 12) {
      case 0: {
        const int effect = input.Int();
        const Rect r = rect();
        draw.FillEffect(surface, effect, r, color(), color(), color(), input.Int(), input.Int());
        break;
      }
      case 1: {
        const Rect r = rect();
        draw.FillGradient(surface, r, color(), color(), input.Byte() % 2 == 0);
        break;
      }
      case 2: {
        const int left = input.Int(), top = input.Int(), width = input.Int(), height = input.Int();
        const int sx = input.Int(), sy = input.Int(), cw = input.Int(), ch = input.Int();
        draw.TileBitmap(surface, left, top, width, height, picture, sx, sy, cw, ch);
        break;
      }
      case 3: {
        const int x = input.Int(), y = input.Int(), w = MadeSide(input.Int()), h = MadeSide(input.Int());
        const PixelImage* bitmap = image();
        const bool useKey = input.Byte() % 2 == 0;
        const ColorRef key = color();
        const int effects = input.Int();
        const bool shadow = input.Byte() % 2 == 0;
        const int dx = input.Int(), dy = input.Int(), bw = MadeSide(input.Int()), bh = MadeSide(input.Int());
        draw.DrawBitmap(surface, x, y, w, h, bitmap, useKey, key, effects, shadow, dx, dy, bw, bh, color());
        break;
      }
      case 4: {
        const int x = input.Int(), y = input.Int(), w = MadeSide(input.Int()), h = MadeSide(input.Int());
        const int effects = input.Int();
        const bool shadow = input.Byte() % 2 == 0;
        const int dx = input.Int(), dy = input.Int(), bw = MadeSide(input.Int()), bh = MadeSide(input.Int());
        draw.DrawIcon(surface, x, y, w, h, input.Byte() % 2 == 0 ? &icon : nullptr, effects, shadow, dx, dy, bw, bh,
                      color());
        break;
      }
      case 5: {
        const int x = input.Int(), y = input.Int(), w = MadeSide(input.Int()), h = MadeSide(input.Int());
        const PixelImage* strip = image();
        const int index = input.Int(), cw = input.Int(), ch = input.Int();
        const bool useKey = input.Byte() % 2 == 0;
        const ColorRef key = color();
        const int effects = input.Int();
        const bool shadow = input.Byte() % 2 == 0;
        const int dx = input.Int(), dy = input.Int(), bw = MadeSide(input.Int()), bh = MadeSide(input.Int());
        draw.DrawImageListCell(surface, x, y, w, h, strip, index, cw, ch, useKey, key, effects, shadow, dx, dy, bw, bh,
                               color());
        break;
      }
      case 6: {
        const Rect r = rect();
        const ColorRef topLeft = color(), bottomRight = color();
        const int style = input.Int();
        draw.DrawFrame(surface, r, topLeft, bottomRight, style, input.Int() % 64);
        break;
      }
      case 7: {
        const int x1 = input.Int(), y1 = input.Int(), x2 = input.Int(), y2 = input.Int();
        const ColorRef c = color();
        const int style = input.Int();
        draw.DrawStyledLine(surface, x1, y1, x2, y2, c, style, input.Int() % 64);
        break;
      }
      case 8: {
        const IconImage stretched = DrawManager::StretchIcon(icon, MadeSide(input.Int()), MadeSide(input.Int()));
        FUZZ_CHECK(DrawManager::GetIconSize(&stretched).cx >= 0);
        break;
      }
      case 9: {
        const int w = MadeSide(input.Int()), h = MadeSide(input.Int()), flags = input.Int();
        const bool useKey = input.Byte() % 2 == 0;
        const ColorRef key = color();
        draw.ApplyImageEffects(picture, w, h, flags, useKey, key, color());
        break;
      }
      case 10: {
        const int x = input.Int(), y = input.Int(), w = input.Int(), h = input.Int();
        draw.AlphaBlit(surface, x, y, w, h, picture);
        break;
      }
      default: {
        // The shadow image it makes is as large as the area: kept small. (The
        // largest sides are the robustness test's.)
        const int x = input.Int(), y = input.Int(), w = MadeSide(input.Int()), h = MadeSide(input.Int());
        const bool blur = input.Byte() % 2 == 0;
        draw.DrawShadow(surface, x, y, w, h, picture, blur, MadeSide(input.Int()), MadeSide(input.Int()));
        break;
      }
    }
  }
  FUZZ_CHECK(target.GetSize() == (Size{48, 32}));
  return 0;
}
