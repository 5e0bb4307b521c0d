// Arguments on Linux and macOS: already the bytes of the names, UTF-8 there.
#include "cli/arguments.h"

namespace tessel::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace tessel::cli
