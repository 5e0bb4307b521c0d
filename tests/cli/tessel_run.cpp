#include "tests/cli/tessel_run.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

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

RunningTessel::RunningTessel(const std::vector<std::string>& args, const std::string& folder) : folder_(folder) {
  std::vector<std::string> words{TESSEL_BINARY};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, (folder + "/.stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, (folder + "/.stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // A test runner started in the background ignores Ctrl-C, and tessel would inherit that.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  sigemptyset(&none);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  if (posix_spawn(&pid_, argv[0], &files, &attributes, argv.data(), environ) != 0) pid_ = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
}

RunningTessel::~RunningTessel() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

bool RunningTessel::WaitUntilCatching(int signal) const {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (pid_ > 0 && std::chrono::steady_clock::now() < until) {
    // Linux shows the caught signals as a hexadecimal mask, bit N-1 for signal N.
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    if (!status) return false;
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("State:", 0) == 0 && line.find('Z') != std::string::npos) return false;  // ended
      if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0) {
        return true;
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

void RunningTessel::Signal(int signal) const {
  if (pid_ > 0) ::kill(pid_, signal);
}

Run RunningTessel::Wait() {
  Run run;
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  pid_ = -1;
  run.out = ReadAll(folder_ + "/.stdout");
  run.err = ReadAll(folder_ + "/.stderr");
  std::remove((folder_ + "/.stdout").c_str());
  std::remove((folder_ + "/.stderr").c_str());
  return run;
}

}  // namespace tessel::testing
