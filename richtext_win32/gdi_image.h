#pragma once
// Platform images made from the portable ones, for code that hands pictures to
// Windows (cached backgrounds, window icons). The reverse direction, reading a
// bitmap or icon handle into a PixelImage or IconImage, is PixelImageFromBitmap
// and IconImageFromIcon (html_platform_win32.h).

#include "richtext/pixel_image.h"
#include "richtext_win32/gdi_handles.h"

namespace tessel {

// A 32-bit DIB section holding the image's pixels; null for an empty image or
// when the section cannot be made.
GdiBitmap BitmapFromPixelImage(const PixelImage& image);

// An icon from the colour image and mask (white = transparent), with the
// IconImage's hot spot; null when it cannot be made.
GdiIcon IconFromIconImage(const IconImage& icon);

}  // namespace tessel
