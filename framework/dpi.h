// The display scale of windows. The program declares itself per-monitor DPI
// aware in its manifest and draws and lays out every window for that window's
// DPI. The calls that say a window's DPI came with Windows 10; older systems
// have one DPI for every window, which these functions fall back to.
#pragma once

#include <windows.h>

namespace framework {

// The DPI that pictures and layouts at 100% are made for.
inline constexpr int kDefaultDpi = 96;

// The DPI of the screen at start (every window's, before Windows 10).
int SystemDpi();
// The DPI of the monitor `window` is on.
int WindowDpi(HWND window);
// `value`, a length at 100%, at `dpi`.
inline int ScaleToDpi(int value, int dpi) { return ::MulDiv(value, dpi, kDefaultDpi); }
// Grows a client rectangle to its window's rectangle, frame and caption as
// wide as they are at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The system's message font (as SystemParametersInfo gives it) at `dpi`.
LOGFONTA MessageFontForDpi(int dpi);

}  // namespace framework
