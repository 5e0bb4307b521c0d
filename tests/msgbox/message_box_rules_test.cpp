// The message box's behaviour without a window: the countdown, the buttons'
// starting states, commands and results, and where answers are remembered.
#include "msgbox/message_box_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

MessageBoxParams Timed(int timeout, int disable, int inCaption = 0) {
  MessageBoxParams params;
  params.timeoutSeconds = timeout;
  params.disableSeconds = disable;
  params.countdownInCaption = inCaption;
  return params;
}

// Ticks until the countdown stops showing; the values shown and the last step.
std::pair<std::vector<int>, CountdownStep> RunCountdown(const MessageBoxParams& params) {
  int countdown = InitialCountdown(params);
  std::vector<int> shown;
  for (int tick = 0; tick < 100; ++tick) {
    const CountdownStep step = CountdownTick(countdown, params);
    if (step != CountdownStep::Show) return {shown, step};
    shown.push_back(countdown);
  }
  return {shown, CountdownStep::Show};
}

TEST(MessageBoxCountdown, TimeOutOfFivePressesTheDefaultButtonOnTheFifthTick) {
  const auto [shown, last] = RunCountdown(Timed(5, 0));
  EXPECT_EQ(shown, (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(last, CountdownStep::Press);
  // A countdown of one acts on its first tick.
  EXPECT_EQ(RunCountdown(Timed(1, 0)).second, CountdownStep::Press);
}

TEST(MessageBoxCountdown, DisableSecondsReleaseTheButtonsEvenWithATimeOut) {
  EXPECT_EQ(InitialCountdown(Timed(0, 3)), 3);
  EXPECT_EQ(InitialCountdown(Timed(6, 3)), 6);  // counts from the time-out
  const auto [shown, last] = RunCountdown(Timed(6, 3));
  EXPECT_EQ(shown.size(), 5u);
  EXPECT_EQ(last, CountdownStep::Release);  // and does not press
  EXPECT_EQ(RunCountdown(Timed(0, 2)).second, CountdownStep::Release);
  EXPECT_EQ(InitialCountdown(Timed(-4, -1)), 0);
}

TEST(MessageBoxCountdown, CaptionsFillOnlyTheirOwnPlaceholders) {
  EXPECT_EQ(CountingCaption("OK", 5), "OK = 5");
  EXPECT_EQ(FormatCountdown("%s (%d seconds remaining)", "Title", 3), "Title (3 seconds remaining)");
  EXPECT_EQ(FormatCountdown("%d%% of %s, %s %n %d", "it", 7), "7% of it, %s %n %d");
  EXPECT_EQ(FormatCountdown("trailing %", "x", 1), "trailing %");
  const MessageBoxParams inCaption = Timed(0, 4, 1);
  EXPECT_EQ(StartingCaption(inCaption, "Box", "%s (%d)", 4), "Box (4)");
  EXPECT_EQ(StartingCaption(Timed(4, 0, 1), "Box", "%s (%d)", 4), "Box");  // needs disable seconds
}

TEST(MessageBoxButtonStart, DefaultButtonCountsAndDisablesAsTheRecordSays) {
  auto start = [](std::uint32_t id, bool isDefault, const MessageBoxParams& params) {
    return StartingButton(id, "Go", isDefault, params, InitialCountdown(params));
  };
  // Time-out: the default button shows the count and stays enabled.
  ButtonStart b = start(B::kOk, true, Timed(5, 0));
  EXPECT_EQ(b.caption, "Go = 5");
  EXPECT_TRUE(b.enabled);
  EXPECT_TRUE(b.defaultStyle);
  // Disable seconds on the button: counting, disabled, no default style yet.
  b = start(B::kOk, true, Timed(0, 3));
  EXPECT_EQ(b.caption, "Go = 3");
  EXPECT_FALSE(b.enabled);
  EXPECT_FALSE(b.defaultStyle);
  EXPECT_TRUE(start(B::kNo, false, Timed(0, 3)).enabled);  // other buttons stay usable
  // Countdown in the caption: every button but Help is disabled, captions plain.
  b = start(B::kOk, true, Timed(0, 3, 1));
  EXPECT_EQ(b.caption, "Go");
  EXPECT_FALSE(b.enabled);
  EXPECT_FALSE(start(B::kNo, false, Timed(0, 3, 1)).enabled);
  EXPECT_TRUE(start(B::kHelp, false, Timed(0, 3, 1)).enabled);
  // Help as the default button is never disabled.
  b = start(B::kHelp, true, Timed(0, 3));
  EXPECT_EQ(b.caption, "Go = 3");
  EXPECT_TRUE(b.enabled);
  EXPECT_TRUE(b.defaultStyle);
  EXPECT_EQ(start(B::kHelp, true, Timed(0, 3, 1)).caption, "Go");
  // No countdown: plain.
  b = start(B::kYes, true, MessageBoxParams{});
  EXPECT_EQ(b.caption, "Go");
  EXPECT_TRUE(b.enabled && b.defaultStyle);
}

TEST(MessageBoxClose, GreyedWhenNotCancellableOrWhileDisabled) {
  EXPECT_TRUE(CloseStartsGreyed(MessageBoxParams{}, false, B::kYes));
  EXPECT_FALSE(CloseStartsGreyed(MessageBoxParams{}, true, B::kOk));
  EXPECT_TRUE(CloseStartsGreyed(Timed(0, 2, 1), true, B::kOk));
  EXPECT_TRUE(CloseStartsGreyed(Timed(0, 2), true, B::kCancel));
  EXPECT_FALSE(CloseStartsGreyed(Timed(0, 2), true, B::kOk));
  EXPECT_FALSE(CloseStartsGreyed(Timed(5, 0), true, B::kCancel));
}

TEST(MessageBoxCommands, WhatEachIdDoes) {
  EXPECT_EQ(ClassifyCommand(0, true), BoxCommand::Ignore);
  EXPECT_EQ(ClassifyCommand(B::kCancel, false), BoxCommand::Ignore);
  EXPECT_EQ(ClassifyCommand(B::kCancel, true), BoxCommand::End);
  EXPECT_EQ(ClassifyCommand(B::kHelp, true), BoxCommand::Help);
  EXPECT_EQ(ClassifyCommand(B::kReport, false), BoxCommand::Report);
  EXPECT_EQ(ClassifyCommand(B::kMore, false), BoxCommand::ToggleMore);
  EXPECT_EQ(ClassifyCommand(B::kLess, false), BoxCommand::ToggleMore);
  for (std::uint32_t id : {B::kOk, B::kYes, B::kNo, B::kYesToAll, 23u, 26u, 0xFFFFu})
    EXPECT_EQ(ClassifyCommand(id, false), BoxCommand::End) << id;
}

TEST(MessageBoxCommands, CheckedResultsAndRememberedAnswers) {
  EXPECT_EQ(CommandResult(B::kYes, S::kCheckBox | S::kChecked, true), B::kYes | S::kChecked);
  EXPECT_EQ(CommandResult(B::kYes, S::kCheckBox | S::kChecked, false), B::kYes);
  EXPECT_EQ(CommandResult(B::kYes, S::kCheckBox, true), B::kYes);

  MessageBoxParams params;
  params.style = S::kCheckBox;
  EXPECT_FALSE(LooksUpAnswer(params));
  EXPECT_FALSE(StoresAnswer(params, true, true));
  params.rememberValueName = "AskExit";
  params.rememberId = 12;
  EXPECT_TRUE(LooksUpAnswer(params));
  EXPECT_TRUE(StoresAnswer(params, true, true));
  EXPECT_FALSE(StoresAnswer(params, true, false));
  EXPECT_FALSE(StoresAnswer(params, false, true));
  params.style = 0;
  EXPECT_FALSE(LooksUpAnswer(params));

  EXPECT_EQ(RememberValueName(params), "AskExit12");
  EXPECT_EQ(RememberKeyPath("C:\\Programs\\Tessel\\tessel.exe", ""), "Software\\tessel.exe\\KVMessageBox");
  EXPECT_EQ(RememberKeyPath("C:\\Programs\\Tessel\\tessel.exe", "Oxbrim"),
            "Software\\Oxbrim\\tessel.exe\\KVMessageBox");
  EXPECT_EQ(HelpFilePath("C:\\Programs\\Tessel\\tessel.exe"), "C:\\Programs\\Tessel\\tessel.hlp");
}

}  // namespace
}  // namespace tessel
