#pragma once
// How the message box behaves over time and on commands, without a window:
// the countdown, the buttons' starting states, which commands end the box and
// with which result, the Close command, and where answers are remembered.
#include <cstdint>
#include <string>
#include <string_view>

#include "msgbox/message_box_call.h"

namespace tessel {

// Timer 1 of the box ticks every second while the countdown runs.
inline constexpr unsigned kMessageBoxTimerId = 1;
inline constexpr unsigned kMessageBoxTimerPeriodMs = 1000;

// Fills a format's first "%s" with `text` and its first "%d" with `value`
// ("%%" is a percent sign); nothing else of the format is read, so a caption
// from a string table cannot make it read past its arguments.
std::string FormatCountdown(std::string_view format, std::string_view text, int value);

// A button caption while the countdown shows on it: "%s = %d".
std::string CountingCaption(std::string_view caption, int value);

// The countdown's first value: the disable seconds, or the time-out seconds
// when those are positive.
int InitialCountdown(const MessageBoxParams& params);

// The countdown shows in the window caption (else on the default button).
bool CountdownInCaption(const MessageBoxParams& params);

// The window caption at the start.
std::string StartingCaption(const MessageBoxParams& params, const std::string& caption,
                            const std::string& countdownFormat, int countdown);

// The window's Close command starts greyed.
bool CloseStartsGreyed(const MessageBoxParams& params, bool cancellable, std::uint32_t defaultId);

struct ButtonStart {
  std::string caption;
  bool enabled = true;
  bool defaultStyle = false;
};
// How a button is created: caption, enabled, default-button style.
ButtonStart StartingButton(std::uint32_t id, const std::string& caption, bool isDefault, const MessageBoxParams& params,
                           int countdown);

// One second of the countdown: every tick takes one off; above 0 the value is
// shown; at 0 the box either releases its buttons (disable seconds) or presses
// its default button (time-out).
enum class CountdownStep { Show, Release, Press };
CountdownStep CountdownTick(int& countdown, const MessageBoxParams& params);

// What a command id does to the box.
enum class BoxCommand { Ignore, Help, Report, ToggleMore, End };
BoxCommand ClassifyCommand(std::uint32_t id, bool cancellable);

// The result of an ending command: the id, with the checked bit when the check
// box is checked and the style asks for it.
std::uint32_t CommandResult(std::uint32_t id, std::uint32_t style, bool checkBoxChecked);

// The result is stored when the check box is checked and answers are remembered.
bool StoresAnswer(const MessageBoxParams& params, bool checkBoxExists, bool checkBoxChecked);
// A remembered answer is looked up before the box is shown.
bool LooksUpAnswer(const MessageBoxParams& params);

// Registry key under the current user and value name of a remembered answer,
// for the program at `programPath`.
std::string RememberKeyPath(std::string_view programPath, std::string_view company);
std::string RememberValueName(const MessageBoxParams& params);

// The help file beside the program: its path with ".hlp" from the last ".".
std::string HelpFilePath(std::string_view programPath);

}  // namespace tessel
