#include "richtext_win32/html_platform_win32.h"

#include <shellapi.h>

namespace tessel {
namespace {

constexpr int kHelpViewerHandCursor = 106;  // the hand of the system's help viewer
constexpr DWORD kMaxRegistryValue = 260;

}  // namespace

Win32WindowPort::Win32WindowPort() {
  char folder[MAX_PATH] = {};
  UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::string viewer = std::string(folder) + "\\winhlp32.exe";
    if (HMODULE module = ::LoadLibraryExA(viewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
      cursor_ = static_cast<HCURSOR>(
          ::LoadImageA(module, MAKEINTRESOURCEA(kHelpViewerHandCursor), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
      ownsCursor_ = cursor_ != nullptr;
      ::FreeLibrary(module);
    }
  }
  // Systems whose help viewer has no hand still show one.
  if (!cursor_) cursor_ = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
}

Win32WindowPort::~Win32WindowPort() {
  if (ownsCursor_) ::DestroyCursor(cursor_);
}

std::intptr_t Win32WindowPort::SendToWindow(WindowRef window, unsigned message, std::intptr_t wParam,
                                            std::intptr_t lParam) {
  return static_cast<std::intptr_t>(
      ::SendMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

bool Win32WindowPort::SetLinkCursor() {
  if (!cursor_) return false;
  ::SetCursor(cursor_);
  return true;
}

int Win32ShellPort::Open(const std::string& target) {
  HINSTANCE result = ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
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
  platform.windows = std::make_shared<Win32WindowPort>();
  platform.shell = std::make_shared<Win32ShellPort>();
  return platform;
}

}  // namespace tessel
