// Runs the built tessel from the command-line tests: its exit code and what it
// wrote to stdout and stderr.
#pragma once

#include <string>

namespace tessel::testing {

struct Run {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `command` through the shell with stdout and stderr caught in files of
// `folder`.
Run RunCommand(const std::string& command, const std::string& folder);

// The built tessel, quoted for the shell.
std::string TesselCommand();

// Runs the built tessel with `args` (a shell command line; callers quote paths).
Run RunTessel(const std::string& args, const std::string& folder);

// 'text' for the shell.
std::string Quoted(const std::string& text);

}  // namespace tessel::testing
