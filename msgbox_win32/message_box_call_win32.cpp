// The call in the Windows program: the test hook may answer; otherwise the
// owner and caption are resolved, a remembered answer is returned without a
// window, and the box sounds its icon's sound and shows itself.
#include <windows.h>

#include "msgbox/message_box_call.h"
#include "msgbox/message_box_rules.h"
#include "draw_win32/native_handles_win32.h"
#include "win32_base/wide_path.h"
#include "msgbox_win32/message_box_registry.h"
#include "msgbox_win32/message_box_window.h"

namespace tessel {

namespace {

constexpr int kMaxOwnerText = 260;  // characters of the owner's title read for the caption

HWND ResolveOwner(WindowHandle given) {
  if (given) return ToHwnd(given);
  HWND active = ::GetActiveWindow();
  return active ? ::GetLastActivePopup(active) : nullptr;
}

std::string WindowText(HWND window) {
  if (!window) return {};
  wchar_t text[kMaxOwnerText + 1] = {};
  const int length = ::GetWindowTextW(window, text, kMaxOwnerText + 1);
  return length > 0 ? Utf8OfWide(std::wstring_view(text, static_cast<std::size_t>(length))) : std::string();
}

std::uint32_t ShowBox(const MessageBoxParams& completed) {
  HWND owner = ResolveOwner(completed.owner);
  std::string caption = WindowCaption(completed.caption, WindowText(owner));
  if (LooksUpAnswer(completed)) {
    const std::optional<std::uint32_t> remembered = ReadRememberedAnswer(completed);
    if (remembered && *remembered != 0) return *remembered;
  }
  if (!(completed.style & MessageBoxStyle::kNoSound)) ::MessageBeep(completed.style & MessageBoxStyle::kIconMask);
  CRichMessageBox box(completed, owner, std::move(caption));
  return box.DoModal();
}

}  // namespace

std::uint32_t RichMessageBox(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                             const MessageBoxParams* params) {
  return AnswerMessageBox(CompleteMessageBoxParams(owner, text, caption, style, params), &ShowBox);
}

}  // namespace tessel
