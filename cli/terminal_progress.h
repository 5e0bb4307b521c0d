// The scan's progress as a bar on a terminal (stderr), headed by what runs
// ("scanning", "exporting"). It appears once a command has run for a while,
// whether or not the engine reports positions in that time (the store search
// reports one per message found, and a store may hold one huge message), and
// it is erased before other output goes to the same terminal.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "engine/progress_bar.h"

namespace tessel::cli {

class TerminalProgress final : public ProgressBar {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kQuietStart = std::chrono::milliseconds(400);  // short commands show no bar
  static constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

  // `terminal` is where the bar is drawn (nullptr: nowhere). With `ticking`, a
  // helper thread draws it when due; without, only Tick does (tests).
  TerminalProgress(std::FILE* terminal, std::string_view label, bool ticking = true);
  ~TerminalProgress() override { Finish(); }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void SetRange(std::int64_t upper) override;
  void SetPosition(std::int64_t position) override;
  // Erases the bar and keeps it away while the returned lock is held, so that
  // other output can go to the terminal.
  std::unique_lock<std::mutex> Hide();
  // Ends the bar for good: erased, and never drawn again.
  void Finish();
  // Draws the bar if it is due at `now`.
  void Tick(Clock::time_point now);

 private:
  void Draw();
  void Erase();

  std::FILE* terminal_;
  const std::string label_;
  const Clock::time_point start_;
  std::atomic<std::int64_t> upper_{0};
  std::atomic<std::int64_t> position_{0};
  std::mutex mutex_;  // guards the terminal and what follows
  std::condition_variable wake_;
  Clock::time_point lastDraw_;
  size_t shownWidth_ = 0;  // characters of the bar on screen; 0: none
  bool finished_ = false;
  std::thread ticker_;
};

// stderr when it is a terminal, else nullptr.
std::FILE* ProgressTerminal();

}  // namespace tessel::cli
