#include "framework/packed_picture.h"

#include <cstring>

#include "win32_base/gdi_handles.h"

namespace framework {

namespace {

constexpr std::size_t kHeaderSize = 12;  // "TPK2", then the width and the height
// Packet kinds by their first byte (tools/pack_picture.py).
constexpr int kFirstRun = 64;    // below: that many pixels minus one, as they are
constexpr int kFirstCopy = 128;  // from here: pixels copied from the row before

std::uint32_t ReadU32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool PackedPictureSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
  if (size < kHeaderSize || std::memcmp(data, "TPK2", 4) != 0) return false;
  const std::uint32_t w = ReadU32(data + 4), h = ReadU32(data + 8);
  if (w == 0 || h == 0 || w > 16384 || h > 16384) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool UnpackPicture(const std::uint8_t* data, std::size_t size, std::uint8_t* bits, std::size_t stride) {
  int width = 0, height = 0;
  if (!PackedPictureSize(data, size, width, height) || stride < static_cast<std::size_t>(width) * 3) return false;
  const std::uint8_t* in = data + kHeaderSize;
  const std::uint8_t* const end = data + size;
  // Packets run on across rows; x and y follow the pixel they fill.
  int x = 0, y = 0;
  auto put = [&](const std::uint8_t* pixel) {
    std::memcpy(bits + y * stride + x * 3, pixel, 3);
    if (++x == width) {
      x = 0;
      ++y;
    }
  };
  while (in < end) {
    const int control = *in++;
    if (control >= kFirstCopy) {
      for (int i = control - kFirstCopy + 1; i > 0; --i) {
        if (y == 0 || y == height) return false;
        put(bits + (y - 1) * stride + x * 3);
      }
      continue;
    }
    const bool run = control >= kFirstRun;
    const int count = run ? control - kFirstRun + 2 : control + 1;
    const std::size_t needed = run ? 3 : static_cast<std::size_t>(count) * 3;
    if (static_cast<std::size_t>(end - in) < needed) return false;
    for (int i = 0; i < count; ++i) {
      if (y == height) return false;
      put(run ? in : in + i * 3);
    }
    in += needed;
  }
  return y == height && x == 0;
}

HBITMAP LoadPackedPicture(HMODULE module, UINT id) {
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), kPackedPictureType);
  if (!found) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, found);
  const auto* data = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
  const std::size_t size = ::SizeofResource(module, found);
  int width = 0, height = 0;
  if (!data || !PackedPictureSize(data, size, width, height)) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the BMP it was packed from
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return nullptr;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  if (!UnpackPicture(data, size, static_cast<std::uint8_t*>(bits), stride)) return nullptr;
  return bitmap.release();
}

}  // namespace framework
