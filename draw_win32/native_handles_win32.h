#pragma once
// The one place where the portable handle types (draw/native_handles.h) and
// the platform's handles are converted into each other.

#include <windows.h>

#include "draw/native_handles.h"

namespace tessel {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle ToWindowHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

inline HMODULE ToHmodule(ModuleHandle module) { return reinterpret_cast<HMODULE>(module); }
inline ModuleHandle ToModuleHandle(HMODULE module) { return reinterpret_cast<ModuleHandle>(module); }

// Bitmaps and icons alike; the loader knows which kind it asked for.
inline HANDLE ToHandle(ImageHandle image) { return reinterpret_cast<HANDLE>(image); }
inline ImageHandle ToImageHandle(HANDLE image) { return reinterpret_cast<ImageHandle>(image); }

}  // namespace tessel
