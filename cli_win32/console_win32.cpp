// The console on Windows.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include "cli/console.h"

namespace tessel::cli {
namespace {

HANDLE ConsoleOf(std::FILE* stream) {
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

bool IsTerminal(std::FILE* stream) { return ConsoleOf(stream) != nullptr; }

size_t TerminalColumns(std::FILE* stream) {
  const HANDLE console = ConsoleOf(stream);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (console == nullptr || !::GetConsoleScreenBufferInfo(console, &info)) return 0;
  return static_cast<size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

void PrepareStandardStreams() {
  // Records and files go to stdout byte for byte: no LF to CR LF.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  if (IsTerminal(stdout) || IsTerminal(stderr)) ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace tessel::cli
