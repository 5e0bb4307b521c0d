#pragma once
// Conversions between the platform's handles and the opaque handle types of the
// portable message box call, so that callers need no casts of their own.
#include <windows.h>

#include "msgbox/message_box_call.h"

namespace tessel {

inline MessageBoxWindowHandle ToMessageBoxWindow(HWND window) {
  return reinterpret_cast<MessageBoxWindowHandle>(window);
}
inline HWND ToHwnd(MessageBoxWindowHandle window) { return reinterpret_cast<HWND>(window); }

inline MessageBoxModuleHandle ToMessageBoxModule(HMODULE module) {
  return reinterpret_cast<MessageBoxModuleHandle>(module);
}
inline HMODULE ToHmodule(MessageBoxModuleHandle module) { return reinterpret_cast<HMODULE>(module); }

}  // namespace tessel
