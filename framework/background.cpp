#include "framework/background.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/pixel_image.h"
#include "win32_base/gdi_handles.h"
#include "framework/module.h"
#include "framework/packed_picture.h"

namespace framework {

HBITMAP LoadDibResource(UINT id) {
  // The large pictures are linked in packed; the others as plain bitmaps.
  if (HBITMAP packed = LoadPackedPicture(ResourceModule(), id)) return packed;
  return static_cast<HBITMAP>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

HBITMAP LoadPictureForDpi(UINT id, int dpi) {
  UniqueBitmap large(LoadDibResource(id));
  BITMAP size{};
  if (!large || !::GetObjectA(large.get(), sizeof size, &size)) return nullptr;
  const int width = std::max(1, ::MulDiv(size.bmWidth, dpi, kLargePictureDpi));
  const int height = std::max(1, ::MulDiv(size.bmHeight, dpi, kLargePictureDpi));
  if (width == size.bmWidth && height == size.bmHeight) return large.release();

  tessel::PixelImage source(size.bmWidth, size.bmHeight);
  if (source.IsEmpty()) return nullptr;
  BITMAPINFO read = TopDown32(size.bmWidth, size.bmHeight);
  UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
  if (!memory || ::GetDIBits(memory.get(), large.get(), 0, static_cast<UINT>(size.bmHeight), source.Row(0), &read,
                             DIB_RGB_COLORS) != size.bmHeight)
    return nullptr;
  const tessel::PixelImage scaled = tessel::ResampleImage(source, width, height);
  if (scaled.IsEmpty()) return nullptr;
  BITMAPINFO write = TopDown32(width, height);
  void* bits = nullptr;
  UniqueBitmap result(::CreateDIBSection(nullptr, &write, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!result || !bits) return nullptr;
  std::memcpy(bits, scaled.Row(0), static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(tessel::Pixel));
  return result.release();
}

namespace {
int g_highContrastOverride = -1;
}  // namespace

void OverrideHighContrast(int on) { g_highContrastOverride = on; }

bool HighContrastOn() {
  if (g_highContrastOverride >= 0) return g_highContrastOverride != 0;
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

HBITMAP InSystemColours(HBITMAP picture) {
  // Below this brightness (of 255) a pixel is ink: the pictures' lightest
  // texts are about 140, their card frames above 220.
  constexpr unsigned kInkBrightness = 180;
  BITMAP size{};
  if (!picture || !::GetObjectA(picture, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0) return nullptr;
  BITMAPINFO info = TopDown32(size.bmWidth, size.bmHeight);
  void* bits = nullptr;
  UniqueBitmap result(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
  if (!result || !bits || !memory ||
      ::GetDIBits(memory.get(), picture, 0, static_cast<UINT>(size.bmHeight), bits, &info, DIB_RGB_COLORS) !=
          size.bmHeight)
    return nullptr;
  // DIB pixels are 0x00RRGGBB; system colours 0x00BBGGRR.
  auto pixelOf = [](COLORREF colour) {
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
  };
  const std::uint32_t ink = pixelOf(::GetSysColor(COLOR_WINDOWTEXT));
  const std::uint32_t paper = pixelOf(::GetSysColor(COLOR_WINDOW));
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const size_t count = static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight);
  for (size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    const unsigned brightness = ((p >> 16 & 0xFF) * 299 + (p >> 8 & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
    pixels[i] = brightness < kInkBrightness ? ink : paper;
  }
  return result.release();
}

bool PaintBackground(HDC dc, HBITMAP picture, const RECT& client) {
  if (!picture) return false;
  BITMAP info{};
  if (!::GetObjectA(picture, sizeof info, &info)) return false;
  UniqueMemoryDC memory(::CreateCompatibleDC(dc));
  if (!memory) return false;
  SelectGuard select(memory.get(), picture);
  if (!select.ok()) return false;
  ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  RECT right{info.bmWidth, 0, client.right, client.bottom};
  RECT below{0, info.bmHeight, info.bmWidth, client.bottom};
  if (right.left < right.right && right.top < right.bottom) ::FillRect(dc, &right, face);
  if (below.left < below.right && below.top < below.bottom) ::FillRect(dc, &below, face);
  return true;
}

}  // namespace framework
