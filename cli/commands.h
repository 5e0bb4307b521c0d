// The commands of tessel. Each returns the program's exit code and reports its
// own errors on stderr.
#pragma once

#include <cstdio>
#include <string>

#include "cli/command_line.h"

namespace tessel::cli {

int RunScan(const CommandLine& line);
int RunExport(const CommandLine& line);
int RunContacts(const CommandLine& line);
int RunShow(const CommandLine& line);

// The help text: the overview, or one command's.
std::string HelpText(Command topic);

// Prints "tessel: MESSAGE" on stderr and returns `exitCode`.
int Fail(int exitCode, const std::string& message);

// Buffered writes to stdout that erase the progress bar before they reach the
// terminal. False once a write has failed.
class StdoutBuffer {
 public:
  explicit StdoutBuffer(class TerminalProgress* progress = nullptr) : progress_(progress) {}
  ~StdoutBuffer() { Flush(); }
  std::string& Text() { return text_; }
  // Writes the text out when enough has gathered.
  bool MaybeFlush() { return text_.size() < kFlushAt || Flush(); }
  bool Flush();

 private:
  // Rows go out some 64 KiB at a time: few writes, and a reader down a pipe
  // still gets them soon.
  static constexpr size_t kFlushAt = 1 << 16;
  std::string text_;
  class TerminalProgress* progress_;
  bool failed_ = false;
};

}  // namespace tessel::cli
