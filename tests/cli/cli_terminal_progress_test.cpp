// The progress bar: quiet for short commands, then shown whether or not the
// engine has reported a position, and erased completely.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/terminal_progress.h"

namespace tessel::cli {
namespace {

std::string Written(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(TerminalProgress, ShowsAfterTheQuietStartEvenWithoutPositions) {
  std::FILE* terminal = std::tmpfile();
  ASSERT_NE(terminal, nullptr);
  const auto before = TerminalProgress::Clock::now();
  {
    TerminalProgress progress(terminal, "exporting", false);
    const auto after = TerminalProgress::Clock::now();
    progress.SetRange(1000);
    progress.Tick(before + TerminalProgress::kQuietStart - std::chrono::milliseconds(1));
    EXPECT_EQ(Written(terminal), "");
    progress.Tick(after + TerminalProgress::kQuietStart);
    EXPECT_EQ(Written(terminal), "\rexporting [........................................] 0%");
    progress.SetPosition(500);
    progress.Tick(after + TerminalProgress::kQuietStart + std::chrono::milliseconds(1));
    EXPECT_EQ(Written(terminal).find("#"), std::string::npos) << "redrawn no sooner than kRedrawEvery";
    progress.Tick(after + TerminalProgress::kQuietStart + TerminalProgress::kRedrawEvery);
    EXPECT_NE(Written(terminal).find("\rexporting [####################....................] 50%"), std::string::npos);
    {
      const auto hidden = progress.Hide();
      EXPECT_EQ(Written(terminal).substr(Written(terminal).size() - 58), "\r" + std::string(56, ' ') + "\r");
    }
    progress.Finish();
    const size_t size = Written(terminal).size();
    progress.Tick(after + std::chrono::seconds(10));
    EXPECT_EQ(Written(terminal).size(), size) << "never again after Finish";
  }
  std::fclose(terminal);
}

}  // namespace
}  // namespace tessel::cli
