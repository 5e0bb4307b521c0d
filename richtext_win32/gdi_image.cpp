#include "richtext_win32/gdi_image.h"

#include <cstring>
#include <vector>

namespace tessel {

GdiBitmap BitmapFromPixelImage(const PixelImage& image) {
  if (image.IsEmpty()) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.Width();
  info.bmiHeader.biHeight = -image.Height();  // top-down, as PixelImage keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  std::memcpy(bits, image.Row(0),
              sizeof(Pixel) * static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()));
  return bitmap;
}

GdiIcon IconFromIconImage(const IconImage& icon) {
  const int width = icon.color.Width(), height = icon.color.Height();
  GdiBitmap color = BitmapFromPixelImage(icon.color);
  if (!color) return nullptr;
  // The mask as a monochrome bitmap: rows of bits padded to 16 bits, 1 = transparent.
  const int rowBytes = (width + 15) / 16 * 2;
  std::vector<unsigned char> maskBits(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((icon.mask.At(x, y) & 0x00FFFFFF) != 0)
        maskBits[static_cast<std::size_t>(y * rowBytes + x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
  GdiBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!mask) return nullptr;
  ICONINFO info{};
  info.fIcon = TRUE;  // icons keep their hot spot at the centre
  info.xHotspot = static_cast<DWORD>(icon.hotSpot.x);
  info.yHotspot = static_cast<DWORD>(icon.hotSpot.y);
  info.hbmMask = mask.get();
  info.hbmColor = color.get();
  return GdiIcon(::CreateIconIndirect(&info));  // copies both bitmaps; ours are deleted here
}

}  // namespace tessel
