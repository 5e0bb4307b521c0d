#include "draw_win32/gdi_image.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "win32_base/wide_path.h"

namespace tessel {

BITMAPINFO PixelImageBitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as PixelImage keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

framework::UniqueBitmap BitmapFromPixelImage(const PixelImage& image) {
  if (image.IsEmpty()) return nullptr;
  BITMAPINFO info = PixelImageBitmapInfo(image.Width(), image.Height());
  void* bits = nullptr;
  framework::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  std::memcpy(bits, image.Row(0),
              sizeof(Pixel) * static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()));
  return bitmap;
}

framework::UniqueIcon IconFromIconImage(const IconImage& icon) {
  const int width = icon.color.Width(), height = icon.color.Height();
  framework::UniqueBitmap color = BitmapFromPixelImage(icon.color);
  if (!color) return nullptr;
  // The mask as a monochrome bitmap: rows of bits padded to 16 bits, 1 = transparent.
  const int rowBytes = (width + 15) / 16 * 2;
  std::vector<unsigned char> maskBits(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((icon.mask.At(x, y) & 0x00FFFFFF) != 0)
        maskBits[static_cast<std::size_t>(y * rowBytes + x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
  framework::UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!mask) return nullptr;
  ICONINFO info{};
  info.fIcon = TRUE;  // icons keep their hot spot at the centre
  info.xHotspot = static_cast<DWORD>(icon.hotSpot.x);
  info.yHotspot = static_cast<DWORD>(icon.hotSpot.y);
  info.hbmMask = mask.get();
  info.hbmColor = color.get();
  return framework::UniqueIcon(::CreateIconIndirect(&info));  // copies both bitmaps; ours are deleted here
}

std::optional<PixelImage> PixelImageFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return std::nullopt;
  PixelImage image(info.bmWidth, info.bmHeight);
  if (image.IsEmpty()) return std::nullopt;
  BITMAPINFO header = PixelImageBitmapInfo(image.Width(), image.Height());
  const framework::ClientDC screen(nullptr);
  const int rows =
      ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(image.Height()), image.Row(0), &header, DIB_RGB_COLORS);
  if (rows <= 0) return std::nullopt;
  return image;
}

std::optional<IconImage> IconImageFromIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return std::nullopt;
  framework::UniqueBitmap color(info.hbmColor);
  framework::UniqueBitmap mask(info.hbmMask);
  auto maskImage = PixelImageFromBitmap(info.hbmMask);
  if (!maskImage) return std::nullopt;
  std::optional<PixelImage> colorImage;
  if (info.hbmColor) {
    colorImage = PixelImageFromBitmap(info.hbmColor);
  } else {
    // A monochrome icon keeps its AND mask above its XOR image.
    const int half = maskImage->Height() / 2;
    colorImage = maskImage->Crop(MakeRect(0, half, maskImage->Width(), half));
    *maskImage = maskImage->Crop(MakeRect(0, 0, maskImage->Width(), half));
  }
  if (!colorImage || colorImage->IsEmpty()) return std::nullopt;
  // Mask pixels are white where the icon is transparent, black where it is opaque.
  for (int y = 0; y < maskImage->Height(); ++y) {
    Pixel* row = maskImage->Row(y);
    for (int x = 0; x < maskImage->Width(); ++x) row[x] = (row[x] & 0x00FFFFFF) ? 0x00FFFFFF : 0;
  }
  IconImage result = MakeIcon(std::move(*colorImage), std::move(*maskImage));
  result.hotSpot = {static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
  return result;
}

bool SaveBmpFile(const PixelImage& image, const std::string& path) {
  const BITMAPINFO info = PixelImageBitmapInfo(image.Width(), image.Height());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + sizeof(Pixel) * static_cast<DWORD>(image.Width()) * static_cast<DWORD>(image.Height());
  FILE* out = ::_wfopen(WidePath(path).c_str(), L"wb");  // our paths are UTF-8
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::vector<Pixel> row(static_cast<std::size_t>(image.Width()));
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) row[static_cast<std::size_t>(x)] = image.At(x, y) | 0xFF000000u;
    std::fwrite(row.data(), sizeof(Pixel), row.size(), out);
  }
  return std::fclose(out) == 0;
}

}  // namespace tessel
