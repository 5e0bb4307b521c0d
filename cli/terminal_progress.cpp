#include "cli/terminal_progress.h"

#include <unistd.h>

#include <string>

namespace tessel::cli {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(400);  // short scans show no bar
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;

}  // namespace

std::FILE* ProgressTerminal() { return ::isatty(STDERR_FILENO) ? stderr : nullptr; }

TerminalProgress::TerminalProgress(std::FILE* terminal)
    : terminal_(terminal), start_(Clock::now()), lastDraw_(start_) {}

void TerminalProgress::SetRange(std::int64_t upper) {
  upper_ = upper;
  position_ = 0;
}

void TerminalProgress::SetPosition(std::int64_t position) {
  position_ = position;
  if (terminal_ == nullptr) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kQuietStart || now - lastDraw_ < kRedrawEvery) return;
  lastDraw_ = now;
  Draw();
}

void TerminalProgress::Draw() {
  int percent = 0;
  if (upper_ > 0 && position_ > 0) {
    percent = static_cast<int>(position_ >= upper_ ? 100 : position_ * 100 / upper_);
  }
  const int filled = percent * kBarWidth / 100;
  std::string line = "\rscanning [";
  line.append(filled, '#');
  line.append(kBarWidth - filled, '.');
  line += "] " + std::to_string(percent) + "%  ";
  std::fputs(line.c_str(), terminal_);
  std::fflush(terminal_);
  shown_ = true;
}

void TerminalProgress::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", terminal_);
  std::fflush(terminal_);
  shown_ = false;
}

}  // namespace tessel::cli
