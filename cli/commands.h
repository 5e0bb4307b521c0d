// The commands of tessel. Each returns the program's exit code and reports its
// own errors on stderr.
#pragma once

#include <cstdio>
#include <string>

#include "cli/command_line.h"

namespace tessel::cli {

int RunScan(const CommandLine& line);
int RunExport(const CommandLine& line);
// export with a folder: the identity export (moving/identity_export.h).
int RunFolderExport(const CommandLine& line);
int RunContacts(const CommandLine& line);
int RunShow(const CommandLine& line);

// The help text: the overview, or one command's.
std::string HelpText(Command topic);
// "tessel 1.0.0" and a line on what it is.
std::string VersionText();

// Warns on stderr when `path`, read as an address book, neither ends in
// ".imb" nor looks like one.
void WarnIfNotAddressBook(const std::string& path);

// Prints "tessel: MESSAGE" on stderr and returns `exitCode`.
int Fail(int exitCode, const std::string& message);
// Prints "tessel: MESSAGE" on stderr, for what went wrong but did not stop the command.
void Warn(const std::string& message);

// Buffered writes to stdout that hide the progress bar while they reach the
// terminal. Every write and flush is checked: false once one has failed.
class StdoutBuffer {
 public:
  StdoutBuffer() = default;
  ~StdoutBuffer() { Flush(); }
  // The bar to hide while writing (nullptr: none).
  void ShareTerminalWith(class TerminalProgress* progress) { progress_ = progress; }
  std::string& Text() { return text_; }
  // Writes the text out when enough has gathered.
  bool MaybeFlush() { return text_.size() < kFlushAt || Flush(); }
  bool Flush();
  // "cannot write to standard output: CAUSE", for after a failed Flush.
  std::string Error() const;
  bool Failed() const { return failed_; }

 private:
  // Rows go out some 64 KiB at a time: few writes, and a reader down a pipe
  // still gets them soon.
  static constexpr size_t kFlushAt = 1 << 16;
  std::string text_;
  class TerminalProgress* progress_ = nullptr;
  bool failed_ = false;
  int errorCode_ = 0;
};

// The last word on stdout, for everything written to it through stdio: flushes
// it and returns `exitCode`, or reports the failed write and returns 1.
int FinishStdout(int exitCode);

}  // namespace tessel::cli
