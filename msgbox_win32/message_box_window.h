#pragma once
// The window that shows a message box: a plain box of our own with the text,
// the caption, the icon and the buttons of the record, until the rich text box
// replaces it. It returns the id of the pressed button.
#include "msgbox/message_box_call.h"

namespace tessel {

// Control ids of the icon and the text, so that tests can read the box back.
// Buttons have their button id as control id.
inline constexpr int kMessageBoxIconControlId = 0x7F00;
inline constexpr int kMessageBoxTextControlId = 0x7F01;

// Shows the box for a completed record (CompleteMessageBoxParams) and waits for
// the answer; kCancel when the window cannot be created.
std::uint32_t ShowMessageBoxWindow(const MessageBoxParams& completed);

}  // namespace tessel
