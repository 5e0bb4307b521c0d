// Reaching the wizard program's windows from another process: the benchmark
// and the screenshot driver press its buttons and fill its dialogs as a user
// would, through window messages only.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <string>

namespace remote {

constexpr DWORD kGiveUpMs = 600000;

inline std::string WindowText(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

struct Search {
  DWORD process;
  const char* title;
  HWND except;
  HWND found;
};

inline BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != search->process || window == search->except || !::IsWindowVisible(window) ||
      WindowText(window) != search->title)
    return TRUE;
  search->found = window;
  return FALSE;
}

// The first visible top-level window of `process` captioned `title`.
inline HWND WaitForWindow(DWORD process, const char* title, HWND except = nullptr, DWORD giveUpMs = kGiveUpMs) {
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < giveUpMs) {
    Search search{process, title, except, nullptr};
    ::EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    ::Sleep(20);
  }
  return nullptr;
}

// Types `path` into an open-file dialog and presses Open.
inline bool ChooseInOpenDialog(HWND dialog, const char* path) {
  HWND name = dialog ? ::GetDlgItem(dialog, cmb13) : nullptr;
  if (!name && dialog) name = ::GetDlgItem(dialog, edt1);
  if (!name) return false;
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return true;
}

// Starts `program` in its own folder.
inline bool Start(const std::string& program, PROCESS_INFORMATION& info) {
  std::string folder = program.substr(0, program.find_last_of('\\'));
  std::string command = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info) != FALSE;
}

}  // namespace remote
