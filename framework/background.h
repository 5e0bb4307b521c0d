// The full-size background picture that the program's dialogs paint when their
// background is erased.
#pragma once

#include <windows.h>

namespace framework {

// A picture resource as a device-independent bitmap; null when it is missing.
HBITMAP LoadDibResource(UINT id);

// Copies the whole of `picture`, at its own size, to (0, 0) of `dc` through a
// memory device context, and fills what of `client` the picture does not
// cover with the dialog colour (dialog units grow with the font, so a window
// may come out larger than its picture). False (nothing drawn) when there is
// no picture or the memory context or the selection fails.
bool PaintBackground(HDC dc, HBITMAP picture, const RECT& client);

}  // namespace framework
