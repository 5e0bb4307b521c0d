// The terminal on Linux and macOS.
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/console.h"

namespace tessel::cli {

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

size_t TerminalColumns(std::FILE* stream) {
  struct winsize size {};
  if (!IsTerminal(stream) || ::ioctl(::fileno(stream), TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

void PrepareStandardStreams() {}

}  // namespace tessel::cli
