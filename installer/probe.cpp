// What the release check asks Windows itself, run under Wine:
//   probe window CAPTION SECONDS   waits for a visible top-level window with that
//                                  caption, prints the program that owns it and
//                                  ends that program; exit status 1 when none appears
//   probe started CAPTION SECONDS  the same, but leaves the program running
//   probe box CAPTION SECONDS      waits for a message box with that caption,
//                                  prints its text and answers Cancel
//   probe version FILE             prints the version resource as Windows reads it
//   probe run COMMAND_LINE         runs the command line as given (Wine would quote
//                                  each argument) and exits with its exit status
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The text of a message box is the static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

struct WindowSearch {
  const char* caption;
  bool message_box;  // only a window that holds a message box's text
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  char caption[512] = "";
  ::GetWindowTextA(window, caption, sizeof caption);
  if (std::strcmp(caption, search->caption) != 0 || !::IsWindowVisible(window)) return TRUE;
  if (search->message_box && !::GetDlgItem(window, kMessageBoxTextId)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForWindow(const char* caption, int seconds, bool message_box = false) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    WindowSearch search{caption, message_box, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    ::Sleep(200);
  }
  std::fprintf(stderr, "no window \"%s\" within %d seconds\n", caption, seconds);
  return nullptr;
}

int ReportProgram(const char* caption, int seconds, bool end) {
  HWND window = WaitForWindow(caption, seconds);
  if (!window) return 1;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  char path[MAX_PATH * 2] = "";
  DWORD size = sizeof path;
  if (HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid)) {
    ::QueryFullProcessImageNameA(process, 0, path, &size);
    // Ended from outside: closing asks the user first.
    if (end) ::TerminateProcess(process, 0);
    ::CloseHandle(process);
  }
  std::printf("window: %s\n", path);
  std::fflush(stdout);
  return 0;
}

int AnswerBox(const char* caption, int seconds) {
  HWND box = WaitForWindow(caption, seconds, true);
  if (!box) return 1;
  char text[2048] = "";
  ::GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
  // One line, so that the check can compare it.
  for (char* c = text; *c; ++c)
    if (*c == '\r' || *c == '\n') *c = ' ';
  std::printf("box: %s\n", text);
  std::fflush(stdout);
  ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

int PrintVersion(const char* file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(file, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !::GetFileVersionInfoA(file, 0, size, data.data())) {
    std::fprintf(stderr, "no version resource in %s\n", file);
    return 1;
  }
  const char* keys[] = {"ProductName", "ProductVersion", "CompanyName", "FileDescription", "FileVersion"};
  for (const char* key : keys) {
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + key;
    char* value = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value)
      std::printf("%s=%s\n", key, value);
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
    std::printf("Fixed=%u.%u.%u\n", unsigned{HIWORD(fixed->dwProductVersionMS)},
                unsigned{LOWORD(fixed->dwProductVersionMS)}, unsigned{HIWORD(fixed->dwProductVersionLS)});
  return 0;
}

int Run(char* command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "could not run %s\n", command_line);
    return 255;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 255;
  ::GetExitCodeProcess(process.hProcess, &status);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "window") == 0) return ReportProgram(argv[2], std::atoi(argv[3]), true);
  if (argc == 4 && std::strcmp(argv[1], "started") == 0) return ReportProgram(argv[2], std::atoi(argv[3]), false);
  if (argc == 4 && std::strcmp(argv[1], "box") == 0) return AnswerBox(argv[2], std::atoi(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "version") == 0) return PrintVersion(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "run") == 0) return Run(argv[2]);
  std::fputs("usage: probe window|started|box CAPTION SECONDS | probe version FILE | probe run COMMAND_LINE\n", stderr);
  return 2;
}
