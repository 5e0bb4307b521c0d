// Draws every fill effect into one picture, so that people can look at them:
// the top half with the message box's colours, the bottom half with a second
// set (dark blue, gold, white, with noise). Each tile is labelled with its
// effect number.
//
//   effects_sheet [output.bmp]      (default: effects_sheet.bmp)

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace {

using namespace tessel;

constexpr int kTileWidth = 180;
constexpr int kTileHeight = 110;
constexpr int kGap = 12;
constexpr int kLabelHeight = 14;
constexpr int kColumns = 4;
constexpr int kRows = 4;  // 16 effects per set
constexpr int kSetHeight = kRows * (kTileHeight + kLabelHeight + kGap);
constexpr int kSheetWidth = kColumns * (kTileWidth + kGap) + kGap;
constexpr int kSheetHeight = 2 * kSetHeight + kGap;
constexpr int kDigitScale = 2;  // label digits are 3 x 5 cells of this many pixels

struct ColourSet {
  ColorRef begin, middle, end;
  int noise, blend;
};

// The message box's band colours, and a second set that shows noise.
constexpr ColourSet kWizardColours{0x86FDF7, 0xFFFFFF, 0x86FDF7, 0, 0};
constexpr ColourSet kSecondColours{0x993300, 0x00CCFF, 0xFFFFFF, 12, 0};

// Digits 0-9 as 3 x 5 bitmaps, one row per 3 bits.
constexpr std::array<std::array<int, 5>, 10> kDigits{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

void DrawNumber(Surface& surface, int x, int y, int number) {
  const std::string text = std::to_string(number);
  for (char c : text) {
    const auto& digit = kDigits[static_cast<std::size_t>(c - '0')];
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 3; ++column)
        if (digit[static_cast<std::size_t>(row)] & (4 >> column))
          surface.FillSolidRect(MakeRect(x + column * kDigitScale, y + row * kDigitScale, kDigitScale, kDigitScale),
                                0x000000);
    x += 4 * kDigitScale;
  }
}

void DrawSet(Surface& surface, DrawManager& draw, int top, const ColourSet& colours) {
  for (int effect = 0; effect < kColumns * kRows; ++effect) {
    const int x = kGap + (effect % kColumns) * (kTileWidth + kGap);
    const int y = top + (effect / kColumns) * (kTileHeight + kLabelHeight + kGap);
    DrawNumber(surface, x, y, effect);
    const Rect tile = MakeRect(x, y + kLabelHeight, kTileWidth, kTileHeight);
    draw.FillEffect(surface, effect, tile, colours.begin, colours.middle, colours.end, colours.noise, colours.blend);
    draw.DrawFrame(surface, {tile.left - 1, tile.top - 1, tile.right, tile.bottom}, 0x808080, 0x808080, kLineSolid, 1);
  }
}

void Put16(std::ofstream& out, int value) {
  const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
  out.write(bytes, 2);
}

void Put32(std::ofstream& out, std::uint32_t value) {
  Put16(out, static_cast<int>(value & 0xFFFF));
  Put16(out, static_cast<int>(value >> 16));
}

// A 24-bit BMP: file header, 40-byte info header, rows bottom-up padded to 4 bytes.
bool WriteBmp(const PixelImage& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const int rowBytes = (image.Width() * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(image.Height());
  constexpr std::uint32_t kHeaders = 14 + 40;
  out.write("BM", 2);
  Put32(out, kHeaders + pixelBytes);
  Put32(out, 0);
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.Width()));
  Put32(out, static_cast<std::uint32_t>(image.Height()));
  Put16(out, 1);                              // planes
  Put16(out, 24);                             // bits per pixel
  for (int i = 0; i < 6; ++i) Put32(out, 0);  // no compression, sizes and palette left to readers
  std::string row(static_cast<std::size_t>(rowBytes), '\0');
  for (int y = image.Height() - 1; y >= 0; --y) {
    const Pixel* pixels = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      row[static_cast<std::size_t>(3 * x)] = static_cast<char>(PixelBlue(pixels[x]));
      row[static_cast<std::size_t>(3 * x + 1)] = static_cast<char>(PixelGreen(pixels[x]));
      row[static_cast<std::size_t>(3 * x + 2)] = static_cast<char>(PixelRed(pixels[x]));
    }
    out.write(row.data(), rowBytes);
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "effects_sheet.bmp";
  PixelImage sheet(kSheetWidth, kSheetHeight, ColorToPixel(0xF0F0F0));
  SoftwareSurface surface(sheet);
  DrawManager draw;
  DrawSet(surface, draw, kGap, kWizardColours);
  DrawSet(surface, draw, kGap + kSetHeight, kSecondColours);
  if (!WriteBmp(sheet, path)) {
    std::fprintf(stderr, "effects_sheet: cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s: %d x %d, effects 0 to 15 in two colour sets\n", path.c_str(), sheet.Width(), sheet.Height());
  return 0;
}
