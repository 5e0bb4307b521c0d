#include "cli/terminal_progress.h"

#include "cli/console.h"
#include "cli/terminal_text.h"

namespace tessel::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

std::FILE* ProgressTerminal() { return IsTerminal(stderr) ? stderr : nullptr; }

TerminalProgress::TerminalProgress(std::FILE* terminal, std::string_view label, bool ticking)
    : terminal_(terminal), label_(TerminalText(label)), start_(Clock::now()), lastDraw_(start_) {
  if (terminal_ == nullptr || !ticking) return;
  ticker_ = std::thread([this] {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!finished_) {
      wake_.wait_for(lock, kRedrawEvery);
      if (finished_) break;
      lock.unlock();
      Tick(Clock::now());
      lock.lock();
    }
  });
}

void TerminalProgress::SetRange(std::int64_t upper) {
  upper_ = upper;
  position_ = 0;
}

void TerminalProgress::SetPosition(std::int64_t position) { position_ = position; }

void TerminalProgress::Tick(Clock::time_point now) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (terminal_ == nullptr || finished_ || now - start_ < kQuietStart) return;
  if (shownWidth_ > 0 && now - lastDraw_ < kRedrawEvery) return;
  lastDraw_ = now;
  Draw();
}

void TerminalProgress::Draw() {
  const std::int64_t upper = upper_, position = position_;
  int percent = 0;
  if (upper > 0 && position > 0) percent = static_cast<int>(position >= upper ? 100 : position * 100 / upper);
  const int filled = percent * kBarWidth / 100;
  std::string line = label_ + " [";
  line.append(filled, '#');
  line.append(kBarWidth - filled, '.');
  line += "] " + std::to_string(percent) + "%";
  // Spaces over what a longer earlier bar left.
  const size_t width = line.size();
  if (width < shownWidth_) line.append(shownWidth_ - width, ' ');
  std::fputs(("\r" + line).c_str(), terminal_);
  std::fflush(terminal_);
  shownWidth_ = line.size();
}

void TerminalProgress::Erase() {
  if (shownWidth_ == 0) return;
  // Spaces and carriage returns: no escape sequences, so a Windows console erases it too.
  std::fputs(("\r" + std::string(shownWidth_, ' ') + "\r").c_str(), terminal_);
  std::fflush(terminal_);
  shownWidth_ = 0;
}

std::unique_lock<std::mutex> TerminalProgress::Hide() {
  std::unique_lock<std::mutex> lock(mutex_);
  Erase();
  return lock;
}

void TerminalProgress::Finish() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    Erase();
  }
  wake_.notify_all();
  if (ticker_.joinable()) ticker_.join();
}

}  // namespace tessel::cli
