#pragma once
// A palette image: one index byte (or bits) per pixel, looked up in a palette
// of up to 256 colours when drawn. The texture fills compute indexes here, so
// that their three colours only enter through the palette.
//
// Layout as in a device-independent bitmap: rows are BytesPerRow() bytes,
// padded to 4 bytes, and stored bottom-up (stored row 0 is the bottom row of the
// picture). Palette entries are stored as blue, green, red, 0 — the same
// 0x00RRGGBB layout as a Pixel.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/pixel_image.h"
#include "draw/surface.h"

namespace tessel {

class PaletteImage {
 public:
  // Releases everything held and makes an image of the given size and bit count
  // (1, 4 or 8). Palette and pixels are left to the caller. Returns false, and
  // holds an empty image, for other bit counts, a side outside 1 to
  // PixelImage::kMaxSide, more than PixelImage::kMaxPixels pixels or a failed
  // allocation.
  bool Create(int width, int height, int bits);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BytesPerRow() const { return bytesPerRow_; }
  std::size_t ImageSize() const { return rows_.size(); }
  int PaletteCount() const { return static_cast<int>(palette_.size()); }
  bool IsEmpty() const { return width_ == 0; }

  // An index at or beyond the entry count is ignored / reads as 0.
  void SetPaletteEntry(int index, int red, int green, int blue);
  Pixel PaletteEntry(int index) const;
  // Every entry moves toward `color` by `percent` (above 100 counts as 100).
  void BlendPalette(ColorRef color, int percent);

  // Every pixel byte set to `value`.
  void Fill(std::uint8_t value);
  // y counts from the top; positions outside the image are ignored.
  void SetPixel(int x, int y, int index);

  // Stored row y (0 = bottom row), BytesPerRow() bytes; nullptr outside.
  std::uint8_t* StoredRow(int y);
  const std::uint8_t* StoredRow(int y) const;

  // Draws the image through its palette with its top-left corner at (x, y), a
  // band of rows at a time. The 32-bit band this needs is kept and reused.
  void Draw(Surface& surface, int x, int y);

 private:
  int StoredIndex(int x, int storedY) const;

  int width_ = 0;
  int height_ = 0;
  int bits_ = 0;
  int bytesPerRow_ = 0;
  std::vector<Pixel> palette_;
  std::vector<std::uint8_t> rows_;
  PixelImage drawn_;
};

}  // namespace tessel
