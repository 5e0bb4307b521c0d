#include "draw/palette_image.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>

namespace tessel {

bool PaletteImage::Create(int width, int height, int bits) {
  width_ = height_ = bits_ = bytesPerRow_ = 0;
  palette_.clear();
  rows_.clear();
  // drawn_ is kept: it is remade on the next draw unless the size is the same.
  if (bits != 1 && bits != 4 && bits != 8) return false;
  if (width < 1 || height < 1 || width > PixelImage::kMaxSide || height > PixelImage::kMaxSide) return false;
  if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > PixelImage::kMaxPixels) return false;
  const int bytesPerRow = ((width * bits + 31) / 32) * 4;
  try {
    palette_.assign(std::size_t{1} << bits, 0);
    rows_.resize(static_cast<std::size_t>(bytesPerRow) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    palette_.clear();
    rows_.clear();
    return false;
  }
  width_ = width;
  height_ = height;
  bits_ = bits;
  bytesPerRow_ = bytesPerRow;
  return true;
}

void PaletteImage::SetPaletteEntry(int index, int red, int green, int blue) {
  if (index < 0 || index >= PaletteCount()) return;
  palette_[static_cast<std::size_t>(index)] = MakePixel(red, green, blue, 0);
}

Pixel PaletteImage::PaletteEntry(int index) const {
  if (index < 0 || index >= PaletteCount()) return 0;
  return palette_[static_cast<std::size_t>(index)];
}

void PaletteImage::BlendPalette(ColorRef color, int percent) {
  percent = std::clamp(percent, 0, 100);
  auto blend = [percent](int target, int channel) { return (target * percent + channel * (100 - percent)) / 100; };
  for (Pixel& entry : palette_) {
    entry = MakePixel(blend(ColorRed(color), PixelRed(entry)), blend(ColorGreen(color), PixelGreen(entry)),
                      blend(ColorBlue(color), PixelBlue(entry)), 0);
  }
}

void PaletteImage::Fill(std::uint8_t value) { std::fill(rows_.begin(), rows_.end(), value); }

std::uint8_t* PaletteImage::StoredRow(int y) {
  if (y < 0 || y >= height_) return nullptr;
  return rows_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerRow_);
}

const std::uint8_t* PaletteImage::StoredRow(int y) const {
  if (y < 0 || y >= height_) return nullptr;
  return rows_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerRow_);
}

int PaletteImage::StoredIndex(int x, int storedY) const {
  const std::uint8_t* row = StoredRow(storedY);
  if (bits_ == 8) return row[x];
  const int perByte = 8 / bits_;
  const int shift = (perByte - 1 - x % perByte) * bits_;  // leftmost pixel in the high bits
  return (row[x / perByte] >> shift) & ((1 << bits_) - 1);
}

void PaletteImage::SetPixel(int x, int y, int index) {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
  std::uint8_t* row = StoredRow(height_ - y - 1);
  if (bits_ == 8) {
    row[x] = static_cast<std::uint8_t>(index);
    return;
  }
  const int perByte = 8 / bits_;
  const int shift = (perByte - 1 - x % perByte) * bits_;
  const int valueMask = (1 << bits_) - 1;
  std::uint8_t& byte = row[x / perByte];
  byte = static_cast<std::uint8_t>((byte & ~(valueMask << shift)) | ((index & valueMask) << shift));
}

namespace {

// Pixels converted per band (256 KB): the band's 32-bit copy stays in the
// cache while it is written to the surface, instead of a whole second picture
// passing through memory; few enough bands that a surface's cost per write
// (a DIB section each on GDI) does not add up.
constexpr int kBandPixels = 65536;

constexpr int kBlock = 16;  // pixels per vectorised step

// to[x] = palette[from[x]]; the loop of fixed length lets the loads of a block
// run ahead of its stores.
void LookUp(Pixel* __restrict to, const std::uint8_t* __restrict from, const Pixel* __restrict palette, int count) {
  int x = 0;
  for (; x + kBlock <= count; x += kBlock)
    for (int k = 0; k < kBlock; ++k) to[x + k] = palette[from[x + k]];
  for (; x < count; ++x) to[x] = palette[from[x]];
}

}  // namespace

void PaletteImage::Draw(Surface& surface, int x, int y) {
  if (IsEmpty()) return;
  const int bandHeight = std::clamp(kBandPixels / width_, 1, height_);
  if (drawn_.GetSize() != Size{width_, bandHeight}) {
    drawn_ = PixelImage(width_, bandHeight);
    if (drawn_.IsEmpty()) return;  // no memory for the 32-bit copy: draw nothing
  }
  for (int bandTop = 0; bandTop < height_; bandTop += bandHeight) {
    // The last band is moved up to end at the bottom row; rows it shares with
    // the band before are written again with the same pixels.
    const int top = std::min(bandTop, height_ - bandHeight);
    if (static_cast<long long>(y) + top > INT_MAX) break;  // below every surface
    for (int row = 0; row < bandHeight; ++row) {
      Pixel* to = drawn_.Row(row);
      const int stored = height_ - (top + row) - 1;
      if (bits_ == 8) {
        LookUp(to, StoredRow(stored), palette_.data(), width_);
      } else {
        for (int column = 0; column < width_; ++column)
          to[column] = palette_[static_cast<std::size_t>(StoredIndex(column, stored))];
      }
    }
    surface.WritePixels(x, y + top, drawn_);
  }
}

}  // namespace tessel
