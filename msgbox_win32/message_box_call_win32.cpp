// The call in the Windows program: the test hook may answer, otherwise the box
// sounds its icon's sound and shows its window.
#include <windows.h>

#include "msgbox/message_box_call.h"
#include "msgbox_win32/message_box_window.h"

namespace tessel {

namespace {

std::uint32_t SoundAndShow(const MessageBoxParams& completed) {
  if (!(completed.style & MessageBoxStyle::kNoSound)) MessageBeep(completed.style & MessageBoxStyle::kIconMask);
  return ShowMessageBoxWindow(completed);
}

}  // namespace

std::uint32_t RichMessageBox(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                             const MessageBoxParams* params) {
  return AnswerMessageBox(CompleteMessageBoxParams(owner, text, caption, style, params), &SoundAndShow);
}

}  // namespace tessel
