#pragma once
// The platform's windows, modules and images as the portable code passes them
// through its ports: typed, opaque pointers that the compiler can tell apart
// and that nothing here can look into. Null means none. The Windows side turns
// them into HWND, HMODULE and HANDLE in one place
// (draw_win32/native_handles_win32.h).

#include <cstdint>

namespace tessel {

struct NativeWindow;
using WindowHandle = NativeWindow*;

// A loaded module: the program itself or a resource library.
struct NativeModule;
using ModuleHandle = NativeModule*;

// A bitmap or icon of the platform that its owner lends to a drawing.
struct NativeImage;
using ImageHandle = NativeImage*;

// An image handle written as a number (rich text markup carries them as text).
// NOLINTNEXTLINE(performance-no-int-to-ptr): the number is a handle the platform gave out, never an address we made
inline ImageHandle ImageHandleFromNumber(std::uintptr_t value) { return reinterpret_cast<ImageHandle>(value); }

}  // namespace tessel
