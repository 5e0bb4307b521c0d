#pragma once
// 32-bit pixel images, and the one place where a colour meets pixels.
//
// Colours (ColorRef, color.h) are 0x00BBGGRR, red in the lowest byte,
// everywhere in the program. Pixels are 0xAARRGGBB, blue in the lowest byte, as
// in a 32-bit device-independent bitmap; convert with ColorToPixel and
// PixelToColor before comparing or writing.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/color.h"
#include "draw/geometry.h"

namespace tessel {

using Pixel = std::uint32_t;  // 0xAARRGGBB

constexpr Pixel MakePixel(int red, int green, int blue, int alpha = 0) {
  return static_cast<Pixel>((blue & 0xFF) | ((green & 0xFF) << 8) | ((red & 0xFF) << 16) |
                            (static_cast<Pixel>(alpha & 0xFF) << 24));
}
constexpr int PixelBlue(Pixel p) { return static_cast<int>(p & 0xFF); }
constexpr int PixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int PixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int PixelAlpha(Pixel p) { return static_cast<int>(p >> 24); }

// A colour as a pixel with alpha 0 (what GDI writes into a 32-bit DIB).
constexpr Pixel ColorToPixel(ColorRef c) { return MakePixel(ColorRed(c), ColorGreen(c), ColorBlue(c), 0); }
// A pixel's colour channels as a colour; the alpha byte is dropped.
constexpr ColorRef PixelToColor(Pixel p) { return MakeColor(PixelRed(p), PixelGreen(p), PixelBlue(p)); }

// A 32-bit image in memory. Pixels are 0xAARRGGBB (see above); rows run top-down,
// row y starts at Row(y) and rows are Stride() pixels apart (Stride() == Width():
// no padding). Sizes are clamped to [0, kMaxSide]; a side of 0, more than
// kMaxPixels pixels or a failed allocation gives an empty image (0 x 0).
// Per-pixel work walks rows through Row().
class PixelImage {
 public:
  static constexpr int kMaxSide = 32767;                // the largest side a drawing works with
  static constexpr std::size_t kMaxPixels = 16u << 20;  // 64 MB of pixels at most

  PixelImage() = default;
  PixelImage(int width, int height, Pixel fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return width_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  Size GetSize() const { return {width_, height_}; }

  // Row y, or nullptr when y is outside the image.
  Pixel* Row(int y);
  const Pixel* Row(int y) const;

  // Checked single-pixel access: reads outside give 0, writes outside are ignored.
  Pixel At(int x, int y) const;
  void Set(int x, int y, Pixel p);

  void Fill(Pixel p);
  bool HasAlpha() const;  // any pixel with a non-zero alpha byte

  // The part of this image inside `area` (clipped); pixels outside are 0.
  PixelImage Crop(const Rect& area) const;
  // Copies `source` with its top-left corner at (x, y), clipped to this image.
  void Paste(int x, int y, const PixelImage& source);

  friend bool operator==(const PixelImage&, const PixelImage&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// Nearest-neighbour scaling to (width, height): destination pixel (x, y) takes
// source pixel (x * source width / width, y * source height / height).
PixelImage ScaleImage(const PixelImage& source, int width, int height);

// Area-filtered scaling to (width, height), for pictures drawn large and shown
// smaller: each destination pixel is the mean of the source area under it,
// each source pixel weighted by how much of it lies there. All four bytes of
// a pixel are averaged alike. Halving is exact 2 x 2 averaging.
PixelImage ResampleImage(const PixelImage& source, int width, int height);

// An icon as the drawing code sees it: a colour image and a mask of the same
// size (mask pixels 0x00FFFFFF where the icon is transparent, 0 where it is
// opaque; colour pixels are black where the mask is white), plus the hot spot.
// Icons made by the program have their hot spot at the centre.
struct IconImage {
  PixelImage color;
  PixelImage mask;
  Point hotSpot;
};

// An icon from its two images (the mask is cut or padded with opaque pixels to
// the colour image's size), hot spot at the centre.
IconImage MakeIcon(PixelImage color, const PixelImage& mask);

}  // namespace tessel
