#include <algorithm>
#include <climits>

#include "draw/draw_manager.h"

namespace tessel {

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr int kShapeOnWhite = kImageRecolor | kImageInvert;  // key white, the rest in the colour
constexpr int kAnyShadow = kImageShadow | kImageBlurredShadow;

// A shadow position that saturates rather than overflows.
int Shifted(int position, int offset) {
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(position) + offset, INT_MIN, INT_MAX));
}

}  // namespace

Size DrawManager::GetBitmapSize(const PixelImage* bitmap) {
  if (bitmap == nullptr) return {0, 0};
  return bitmap->GetSize();
}

Size DrawManager::GetIconSize(const IconImage* icon) {
  if (icon == nullptr) return {0, 0};
  return {2 * icon->hotSpot.x, 2 * icon->hotSpot.y};
}

IconImage DrawManager::StretchIcon(const IconImage& icon, int width, int height) {
  return MakeIcon(ScaleImage(icon.color, width, height), ScaleImage(icon.mask, width, height));
}

void DrawManager::PutImage(Surface& surface, int x, int y, const PixelImage& image, const PixelImage& mask) {
  if (hasAlpha_) {
    AlphaBlit(surface, x, y, image.Width(), image.Height(), image);
    return;
  }
  const Rect dest = MakeRect(x, y, image.Width(), image.Height());
  surface.DrawMasked(dest, image, mask);
}

void DrawManager::DrawBitmap(Surface& surface, int x, int y, int width, int height, const PixelImage* bitmap,
                             bool useKey, ColorRef key, int effects, bool shadow, int shadowDx, int shadowDy,
                             int blurWidth, int blurHeight, ColorRef color) {
  hasAlpha_ = false;
  if (bitmap == nullptr || bitmap->IsEmpty()) return;
  const PixelImage scaled = ScaleImage(*bitmap, width, height);
  if (scaled.IsEmpty()) return;
  const PixelImage mask = ApplyImageEffects(scaled, width, height, kShapeOnWhite, useKey, key, kWhite);
  const PixelImage image = ApplyImageEffects(scaled, width, height, effects, useKey, key, color);
  if (shadow) {
    const int sx = Shifted(x, shadowDx), sy = Shifted(y, shadowDy);
    if (effects & kAnyShadow) {
      const PixelImage shape = ApplyImageEffects(scaled, width, height, kShapeOnWhite, useKey, key, color ^ kWhite);
      DrawShadow(surface, sx, sy, width, height, shape, (effects & kImageBlurredShadow) != 0, blurWidth, blurHeight);
    } else {
      PutImage(surface, sx, sy, image, mask);
    }
  }
  PutImage(surface, x, y, image, mask);
}

void DrawManager::DrawIcon(Surface& surface, int x, int y, int width, int height, const IconImage* icon, int effects,
                           bool shadow, int shadowDx, int shadowDy, int blurWidth, int blurHeight, ColorRef color) {
  hasAlpha_ = false;
  if (icon == nullptr || icon->color.IsEmpty()) return;
  const IconImage sized = StretchIcon(*icon, width, height);
  if (sized.color.IsEmpty()) return;
  // Recoloured icons take their shape from the mask, others their colours with black as key.
  const PixelImage image = (effects & kImageRecolor)
                               ? ApplyImageEffects(sized.mask, width, height, effects, true, kWhite, color)
                               : ApplyImageEffects(sized.color, width, height, effects, true, kBlack, color);
  if (shadow) {
    const int sx = Shifted(x, shadowDx), sy = Shifted(y, shadowDy);
    if (effects & kAnyShadow) {
      const PixelImage shape =
          ApplyImageEffects(sized.mask, width, height, kShapeOnWhite, true, kWhite, color ^ kWhite);
      DrawShadow(surface, sx, sy, width, height, shape, (effects & kImageBlurredShadow) != 0, blurWidth, blurHeight);
    } else {
      PutImage(surface, sx, sy, image, sized.mask);
    }
  }
  PutImage(surface, x, y, image, sized.mask);
}

void DrawManager::DrawImageListCell(Surface& surface, int x, int y, int width, int height, const PixelImage* strip,
                                    int index, int cellWidth, int cellHeight, bool useKey, ColorRef key, int effects,
                                    bool shadow, int shadowDx, int shadowDy, int blurWidth, int blurHeight,
                                    ColorRef color) {
  if (strip == nullptr || cellWidth <= 0 || cellHeight <= 0) return;
  const int columns = strip->Width() / cellWidth;
  const int rows = strip->Height() / cellHeight;
  if (columns == 0 || rows == 0 || index < 0 || index >= columns * rows) return;
  const PixelImage cell =
      strip->Crop(MakeRect(cellWidth * (index % columns), cellHeight * (index / columns), cellWidth, cellHeight));
  DrawBitmap(surface, x, y, width, height, &cell, useKey, key, effects, shadow, shadowDx, shadowDy, blurWidth,
             blurHeight, color);
}

}  // namespace tessel
