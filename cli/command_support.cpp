#include "cli/commands.h"

#include "cli/terminal_progress.h"

namespace tessel::cli {

int Fail(int exitCode, const std::string& message) {
  std::fprintf(stderr, "tessel: %s\n", message.c_str());
  return exitCode;
}

bool StdoutBuffer::Flush() {
  if (text_.empty()) return !failed_;
  if (progress_ != nullptr) progress_->Clear();
  if (!failed_ && std::fwrite(text_.data(), 1, text_.size(), stdout) != text_.size()) {
    failed_ = true;
  }
  std::fflush(stdout);
  text_.clear();
  return !failed_;
}

}  // namespace tessel::cli
