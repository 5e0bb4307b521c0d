// Runs a program as a child process and measures it from outside: wall time,
// user plus system time and peak resident memory, which only a process of its
// own can give. Shared by the benchmarks that time the built tessel.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace tessel::bench {

inline double CpuSeconds(const struct rusage& usage) {
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The best of the runs of one thing measured: the fastest wall and CPU times
// (CPU time barely moves when other work shares the machine), the largest peak.
struct Measured {
  double seconds = 1e300;
  double cpuSeconds = 1e300;
  long peakKiB = 0;
  void Add(double runSeconds, double runCpuSeconds, long runPeakKiB) {
    seconds = std::min(seconds, runSeconds);
    cpuSeconds = std::min(cpuSeconds, runCpuSeconds);
    peakKiB = std::max(peakKiB, runPeakKiB);
  }
};

struct ChildRun {
  double seconds = 0;
  double cpuSeconds = 0;
  long peakKiB = 0;
  int exitCode = -1;
  std::string out;  // captured only when asked
};

// Runs a program with stdout to /dev/null (or captured) and LC_ALL=C.
inline ChildRun RunChild(const std::vector<std::string>& args, bool captureOutput) {
  ChildRun run;
  int pipeFds[2] = {-1, -1};
  if (captureOutput && ::pipe(pipeFds) != 0) return run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = captureOutput ? pipeFds[1] : ::open("/dev/null", O_WRONLY);
    ::dup2(out, STDOUT_FILENO);
    if (captureOutput) ::close(pipeFds[0]);
    ::setenv("LC_ALL", "C", 1);  // grep's fastest byte matching
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    std::_Exit(127);
  }
  if (captureOutput) {
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, got);
    ::close(pipeFds[0]);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = CpuSeconds(usage);
  run.peakKiB = usage.ru_maxrss;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The folder this program lies in, where its generated data is kept.
inline std::string ProgramFolder(const char* argv0) {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path = length > 0 ? std::string(self, length) : std::string(argv0);
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace tessel::bench
