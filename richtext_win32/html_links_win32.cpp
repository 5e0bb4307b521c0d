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

void Win32ShellPort::Run(const std::string& commandLine) {
  // What WinExec does, wide: the command line is UTF-8, and a program or target
  // outside the system code page still starts.
  std::wstring line = WidePath(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (line.empty() ||
      !::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

std::optional<std::string> Win32ShellPort::ReadClassesRootDefault(const std::string& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, WidePath(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return std::nullopt;
  wchar_t value[kMaxRegistryValue + 1] = {};
  DWORD size = kMaxRegistryValue * sizeof(wchar_t);  // bytes
  DWORD type = 0;
  LONG status = ::RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  const std::wstring_view stored(value, std::min<DWORD>(size / sizeof(wchar_t), kMaxRegistryValue));
  return Utf8OfWide(stored.substr(0, stored.find(L'\0')));  // up to its terminator, as stored
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
