#include "richtext_win32/html_platform_win32.h"

#include <shellapi.h>

#include "draw_win32/native_handles_win32.h"
#include "win32_base/wide_path.h"

namespace tessel {
namespace {

constexpr DWORD kMaxRegistryValue = 260;  // the longest value read; a longer one counts as missing

}  // namespace

bool Win32LinkCursor::Show() {
  if (!cursor_) return false;
  ::SetCursor(cursor_.get());
  return true;
}

std::intptr_t Win32WindowMessagePort::SendWindowMessage(WindowHandle window, unsigned message, std::intptr_t wParam,
                                                        std::intptr_t lParam) {
  return static_cast<std::intptr_t>(
      ::SendMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

int Win32ShellPort::Open(const std::string& target) {
  // A link's target is UTF-8 (a saved-to folder may have any name).
  HINSTANCE result = ::ShellExecuteW(nullptr, L"open", WidePath(target).c_str(), nullptr, nullptr, SW_SHOW);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void Win32ShellPort::Run(const std::string& commandLine) { ::WinExec(commandLine.c_str(), SW_SHOW); }

std::optional<std::string> Win32ShellPort::ReadClassesRootDefault(const std::string& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  char value[kMaxRegistryValue + 1] = {};
  DWORD size = kMaxRegistryValue;
  DWORD type = 0;
  LONG status = ::RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  value[std::min<DWORD>(size, kMaxRegistryValue)] = '\0';
  return std::string(value);
}

HtmlPlatform MakeWin32HtmlPlatform(HINSTANCE instance) {
  HtmlPlatform platform;
  platform.systemColors = std::make_shared<Win32SystemColors>();
  platform.images = std::make_shared<Win32ImageLoader>(instance);
  platform.windowMessages = std::make_shared<Win32WindowMessagePort>();
  platform.linkCursor = std::make_shared<Win32LinkCursor>();
  platform.shell = std::make_shared<Win32ShellPort>();
  return platform;
}

}  // namespace tessel
