#pragma once
// Platform images made from the portable ones, for code that hands pictures to
// Windows (cached backgrounds, window icons), and the way back for code that
// reads the platform's bitmaps and icons (image loading, tests).

#include <optional>
#include <string>

#include "draw/pixel_image.h"
#include "win32_base/gdi_handles.h"

namespace tessel {

// The header of a 32-bit top-down device-independent bitmap, the layout of a
// PixelImage's rows.
BITMAPINFO PixelImageBitmapInfo(int width, int height);

// A 32-bit DIB section holding the image's pixels; null for an empty image or
// when the section cannot be made.
framework::UniqueBitmap BitmapFromPixelImage(const PixelImage& image);

// An icon from the colour image and mask (white = transparent), with the
// IconImage's hot spot; null when it cannot be made.
framework::UniqueIcon IconFromIconImage(const IconImage& icon);

// A bitmap or icon of the platform as the drawing code sees it; nullopt when
// the handle cannot be read. The handles stay the caller's.
std::optional<PixelImage> PixelImageFromBitmap(HBITMAP bitmap);
std::optional<IconImage> IconImageFromIcon(HICON icon);

// Writes the image as a 32-bit top-down BMP file for a look by eye; pixels are
// written opaque, since GDI leaves alpha 0 and viewers read that as clear.
bool SaveBmpFile(const PixelImage& image, const std::string& path);

}  // namespace tessel
