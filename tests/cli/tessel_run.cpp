#include "tests/cli/tessel_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/scratch_folder.h"

namespace tessel::testing {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

Run RunCommand(const std::string& command, const std::string& folder) {
  const std::string out = folder + "/.stdout", err = folder + "/.stderr";
  const int status = std::system((command + " >" + Quoted(out) + " 2>" + Quoted(err)).c_str());
  Run run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

std::string TesselCommand() { return Quoted(TESSEL_BINARY); }

Run RunTessel(const std::string& args, const std::string& folder) {
  return RunCommand(TesselCommand() + " " + args, folder);
}

}  // namespace tessel::testing
