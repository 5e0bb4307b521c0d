// The display scale of windows. The program declares itself per-monitor DPI
// aware in its manifest and draws and lays out every window for that window's
// DPI. The call that says a window's DPI came with Windows 10; older systems
// have one DPI for every window, which these functions fall back to.
#pragma once

#include <windows.h>

namespace framework {

// The DPI that pictures and layouts at 100% are made for.
inline constexpr int kDefaultDpi = 96;

// `value`, a length at 100%, at `dpi`.
inline int ScaleToDpi(int value, int dpi) { return ::MulDiv(value, dpi, kDefaultDpi); }

// The DPI of the screen at start: every window's before Windows 10, and the
// one the system's fonts and metrics are given for.
inline int SystemDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

// The DPI of the monitor `window` is on.
inline int WindowDpi(HWND window) {
  // Looked up by name: absent before Windows 10.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = [] {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFunction>(
                        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace framework
