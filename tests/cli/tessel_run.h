// Runs the built tessel from the command-line tests: its exit code and what it
// wrote to stdout and stderr.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

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

// The built tessel started in the background with `args` (no shell), stdout
// and stderr caught in files of `folder`, and Ctrl-C, SIGTERM and SIGHUP at
// their defaults whatever the test runner's are: for tests that signal it
// while it works.
class RunningTessel {
 public:
  RunningTessel(const std::vector<std::string>& args, const std::string& folder);
  // A tessel still running is killed.
  ~RunningTessel();
  RunningTessel(const RunningTessel&) = delete;
  RunningTessel& operator=(const RunningTessel&) = delete;

  // Waits (some seconds at most) until tessel catches `signal`: its handler is
  // in place. False when it never did or has ended.
  bool WaitUntilCatching(int signal) const;
  void Signal(int signal) const;
  // Waits for the end; exitCode -1 when a signal ended it.
  Run Wait();

 private:
  pid_t pid_ = -1;
  std::string folder_;
};

// 'text' for the shell.
std::string Quoted(const std::string& text);

}  // namespace tessel::testing
