// What the release check asks Windows itself, run under Wine:
//   probe window CAPTION SECONDS   waits for a visible top-level window with that
//                                  caption, prints the program that owns it and
//                                  ends that program; exit status 1 when none appears
//   probe version FILE             prints the version resource as Windows reads it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int WaitForWindow(const char* caption, int seconds) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    HWND window = ::FindWindowA(nullptr, caption);
    if (window && ::IsWindowVisible(window)) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(window, &pid);
      char path[MAX_PATH * 2] = "";
      DWORD size = sizeof path;
      // Ended from outside: closing asks the user first.
      if (HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid)) {
        ::QueryFullProcessImageNameA(process, 0, path, &size);
        ::TerminateProcess(process, 0);
        ::CloseHandle(process);
      }
      std::printf("window: %s\n", path);
      std::fflush(stdout);
      return 0;
    }
    ::Sleep(200);
  }
  std::fprintf(stderr, "no window \"%s\" within %d seconds\n", caption, seconds);
  return 1;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "window") == 0) return WaitForWindow(argv[2], std::atoi(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "version") == 0) return PrintVersion(argv[2]);
  std::fputs("usage: probe window CAPTION SECONDS | probe version FILE\n", stderr);
  return 2;
}
