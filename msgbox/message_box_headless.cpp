// The call where there is no window system (the native build): the test hook may
// answer; otherwise nothing can be shown and the answer is Cancel. The Windows
// build has its own RichMessageBox, which shows the box (msgbox_win32/).
#include "msgbox/message_box_call.h"

#ifndef _WIN32

namespace tessel {

std::uint32_t RichMessageBox(MessageBoxWindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                             const MessageBoxParams* params) {
  return AnswerMessageBox(CompleteMessageBoxParams(owner, text, caption, style, params), nullptr);
}

}  // namespace tessel

#endif
