// Pictures kept packed in the program's resources (type "PACKED", made by
// tools/pack_picture.py from 24-bit BMP pictures without losing a pixel): the
// large backgrounds as plain bitmaps were most of the program's size.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace framework {

// The resource type of packed pictures.
inline constexpr char kPackedPictureType[] = "PACKED";

// The size a packed picture says it has; false when `data` is not one.
bool PackedPictureSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Unpacks into 24-bit rows laid out as in a bottom-up DIB (`stride` bytes
// apart, at least width * 3). False when the packets do not fill the picture
// exactly, run past the data or copy from before the first row.
bool UnpackPicture(const std::uint8_t* data, std::size_t size, std::uint8_t* bits, std::size_t stride);

// Packed picture `id` of `module` as a 24-bit DIB section; null when there is
// none or it is damaged.
HBITMAP LoadPackedPicture(HMODULE module, UINT id);

}  // namespace framework
