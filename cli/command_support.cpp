#include <cerrno>
#include <cstring>
#include <mutex>

#include "cli/commands.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_text.h"

namespace tessel::cli {
namespace {

constexpr char kStdoutFailed[] = "cannot write to standard output";

}  // namespace

int Fail(int exitCode, const std::string& message) {
  Warn(message);
  return exitCode;
}

// Messages name paths and repeat what was typed: shown, never acted on.
void Warn(const std::string& message) { std::fprintf(stderr, "tessel: %s\n", TerminalText(message).c_str()); }

bool StdoutBuffer::Flush() {
  if (text_.empty() && failed_) return false;
  std::unique_lock<std::mutex> hidden;
  if (progress_ != nullptr) hidden = progress_->Hide();
  if (!failed_ && (std::fwrite(text_.data(), 1, text_.size(), stdout) != text_.size() || std::fflush(stdout) != 0)) {
    failed_ = true;
    errorCode_ = errno;
  }
  text_.clear();
  return !failed_;
}

std::string StdoutBuffer::Error() const {
  return errorCode_ != 0 ? std::string(kStdoutFailed) + ": " + std::strerror(errorCode_) : kStdoutFailed;
}

int FinishStdout(int exitCode) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return exitCode;
  const std::string cause = errno != 0 ? std::string(": ") + std::strerror(errno) : std::string();
  // A command that failed already said why; its code stands.
  if (exitCode != kExitOk) return exitCode;
  return Fail(kExitFailure, kStdoutFailed + cause);
}

}  // namespace tessel::cli
