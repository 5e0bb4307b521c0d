// The full-size background picture that the program's dialogs paint when their
// background is erased.
#pragma once

#include <windows.h>

namespace framework {

// A picture resource as a device-independent bitmap; null when it is missing.
HBITMAP LoadDibResource(UINT id);

// The DPI the large pictures are drawn for: twice their size at 100%.
inline constexpr int kLargePictureDpi = 192;

// Large picture `id` at `dpi`: shrunk (or grown) from its 192-DPI size with an
// area filter, so it stays sharp at every scale; null when it is missing.
HBITMAP LoadPictureForDpi(UINT id, int dpi);

// Copies the whole of `picture`, at its own size, to (0, 0) of `dc` through a
// memory device context, and fills what of `client` the picture does not
// cover with the dialog colour (dialog units grow with the font, so a window
// may come out larger than its picture). False (nothing drawn) when there is
// no picture or the memory context or the selection fails.
bool PaintBackground(HDC dc, HBITMAP picture, const RECT& client);

// Whether Windows is set to high contrast (or a test says so: Wine keeps it off).
bool HighContrastOn();
// Tests: 1 on, 0 off, -1 as Windows is set.
void OverrideHighContrast(int on);

// `picture` in the system's window colours, for high contrast: its light parts
// (backgrounds, cards, frames) become the window colour and its dark parts
// (texts, icons) the window's text colour, so the texts drawn in the picture
// stay readable on a plain background. Null when it cannot be read; the
// picture itself is left as it is.
HBITMAP InSystemColours(HBITMAP picture);

}  // namespace framework
