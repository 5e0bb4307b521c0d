// The call where there is no window system (the native build): the test hook may
// answer; otherwise nothing can be shown and the answer is Cancel. The Windows
// build shows the box instead (msgbox_win32/) and does not build this file.
#include "msgbox/message_box_call.h"

namespace tessel {

std::uint32_t RichMessageBox(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                             const MessageBoxParams* params) {
  return AnswerMessageBox(CompleteMessageBoxParams(owner, text, caption, style, params), nullptr);
}

}  // namespace tessel
