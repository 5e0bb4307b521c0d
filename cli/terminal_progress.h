// The scan's progress as a bar on a terminal (stderr). It appears only when a
// scan takes a while, redraws a few times a second at most, and can be erased
// before other output goes to the same terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "engine/recovered_list.h"

namespace tessel::cli {

class TerminalProgress final : public ProgressBar {
 public:
  // `terminal` is where the bar is drawn; nullptr draws nothing.
  explicit TerminalProgress(std::FILE* terminal);
  ~TerminalProgress() override { Clear(); }

  void SetRange(std::int64_t upper) override;
  void SetPosition(std::int64_t position) override;
  // Erases the bar if it is shown; the next update draws it again.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  void Draw();

  std::FILE* terminal_;
  std::int64_t upper_ = 0;
  std::int64_t position_ = 0;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
  bool shown_ = false;
};

// stderr when it is a terminal, else nullptr.
std::FILE* ProgressTerminal();

}  // namespace tessel::cli
