#pragma once
// The pixel-level drawing toolbox behind the rich text drawer and the message
// box: numbered fill effects (solid, gradients and palette textures), styled
// lines and frames, and bitmaps, icons and image-strip cells drawn at a size
// with a key colour, per-pixel effects, a drop shadow and per-pixel alpha.
// Everything is drawn through a Surface; nothing is kept between calls except
// the palette image of the last texture.

#include <cstdint>
#include <vector>

#include "draw/draw_manager_random.h"
#include "draw/palette_image.h"
#include "draw/pixel_image.h"
#include "draw/surface.h"

namespace tessel {

// Fill effect numbers; every number outside 1 to 15 fills solid.
enum FillEffectId {
  kEffectSolid = 0,
  kEffectHGradient = 1,
  kEffectVGradient = 2,
  kEffectHCGradient = 3,
  kEffectVCGradient = 4,
  kEffect3HGradient = 5,
  kEffect3VGradient = 6,
  kEffectNoise = 7,
  kEffectDiagShade = 8,
  kEffectHShade = 9,
  kEffectVShade = 10,
  kEffectHBump = 11,
  kEffectVBump = 12,
  kEffectSoftBump = 13,
  kEffectHardBump = 14,
  kEffectMetal = 15,
};

// Image effect flags (bits of one int).
enum ImageEffectFlag {
  kImageGrey = 0x1,
  kImageDarker = 0x2,
  kImageLighter = 0x4,
  kImageRecolor = 0x8,
  kImageShadow = 0x100,
  kImageBlurredShadow = 0x200,
  kImageInvert = 0x8000,
};

// Line styles of frames and styled lines.
enum LineStyle {
  kLineNone = 0,
  kLineSolid = 1,
  kLineDashed = 2,
  kLineDotted = 3,
  kLineDashDot = 4,
  kLineDashDotDot = 5,
  kLineDouble = 6,
};

class DrawManager {
 public:
  virtual ~DrawManager() = default;

  // Fills: `effect` as in FillEffectId; noise and blend use their low byte.
  void FillEffect(Surface& surface, int effect, const Rect& rect, ColorRef begin, ColorRef middle, ColorRef end,
                  int noise, int blend);
  // 64 bands from `from` to one 64th short of `to`, left to right or top down.
  void FillGradient(Surface& surface, const Rect& rect, ColorRef from, ColorRef to, bool horizontal);
  // Repeats the source cell over the rectangle; the last column and row are clipped.
  void TileBitmap(Surface& target, int left, int top, int width, int height, const PixelImage& source, int sourceX,
                  int sourceY, int cellWidth, int cellHeight);

  // Images. A null image draws nothing.
  void DrawBitmap(Surface& surface, int x, int y, int width, int height, const PixelImage* bitmap, bool useKey,
                  ColorRef key, int effects, bool shadow, int shadowDx, int shadowDy, int blurWidth, int blurHeight,
                  ColorRef color);
  void DrawIcon(Surface& surface, int x, int y, int width, int height, const IconImage* icon, int effects, bool shadow,
                int shadowDx, int shadowDy, int blurWidth, int blurHeight, ColorRef color);
  void DrawImageListCell(Surface& surface, int x, int y, int width, int height, const PixelImage* strip, int index,
                         int cellWidth, int cellHeight, bool useKey, ColorRef key, int effects, bool shadow,
                         int shadowDx, int shadowDy, int blurWidth, int blurHeight, ColorRef color);

  // Lines: `style` as in LineStyle; style 0 or a width of 0 or less draws nothing.
  void DrawFrame(Surface& surface, const Rect& rect, ColorRef topLeft, ColorRef bottomRight, int style, int width);
  void DrawStyledLine(Surface& surface, int x1, int y1, int x2, int y2, ColorRef color, int style, int width);

  static Size GetBitmapSize(const PixelImage* bitmap);
  // Twice the hot spot; (0, 0) for a null icon.
  static Size GetIconSize(const IconImage* icon);
  // The icon's colour image and mask stretched to (width, height).
  static IconImage StretchIcon(const IconImage& icon, int width, int height);

  // The steps the image drawing is made of.
  PixelImage ApplyImageEffects(const PixelImage& bitmap, int width, int height, int flags, bool useKey, ColorRef key,
                               ColorRef color);
  void AlphaBlit(Surface& destination, int x, int y, int width, int height, const PixelImage& source);
  void DrawShadow(Surface& destination, int x, int y, int width, int height, const PixelImage& shadowImage, bool blur,
                  int blurWidth, int blurHeight);
  // Window totals of a byte plane (row-major, width x height) over a window of
  // windowWidth x windowHeight centred on each position; positions outside the
  // plane count as 1.
  static std::vector<std::int64_t> BoxBlur(const std::vector<std::uint8_t>& plane, int width, int height,
                                           int windowWidth, int windowHeight);

  bool HasAlpha() const { return hasAlpha_; }
  const PaletteImage& GetPaletteImage() const { return paletteImage_; }

 private:
  void FillTexture(Surface& surface, int effect, const Rect& rect, ColorRef begin, ColorRef middle, ColorRef end,
                   int noise, int blend);
  // The last step of an image drawing: alpha blending, or the mask then the image.
  void PutImage(Surface& surface, int x, int y, const PixelImage& image, const PixelImage& mask);

  PaletteImage paletteImage_;
  bool hasAlpha_ = false;
};

}  // namespace tessel
