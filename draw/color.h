#pragma once
// Colours as the program passes them around: Windows colour values
// 0x00BBGGRR, red in the lowest byte. Pixels are another layout; they meet
// colours only in pixel_image.h.

#include <cstdint>

namespace tessel {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

constexpr ColorRef MakeColor(int red, int green, int blue) {
  return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int ColorRed(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorGreen(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace tessel
