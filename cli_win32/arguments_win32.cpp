// Arguments on Windows: main's are in the system code page, which cannot hold
// every folder name ("Почта" on a Western Windows), so they are read wide.
#include <windows.h>
#include <shellapi.h>

#include "cli/arguments.h"
#include "win32_base/wide_path.h"

namespace tessel::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8OfWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace tessel::cli
