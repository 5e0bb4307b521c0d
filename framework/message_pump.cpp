#include "framework/message_pump.h"

#include "framework/wnd.h"

namespace framework {

bool PreTranslateInChain(MSG* msg) {
  for (HWND window = msg->hwnd; window;) {
    if (CWnd* wrapper = CWnd::FromHandle(window); wrapper && wrapper->PreTranslateMessage(msg)) return true;
    // Stop at the top-level window: its owner has keys and tips of its own.
    if (!(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) break;
    window = ::GetParent(window);
  }
  return false;
}

void PumpMessage(MSG* msg) {
  if (PreTranslateInChain(msg)) return;
  ::TranslateMessage(msg);
  ::DispatchMessageW(msg);
}

void PumpPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    PumpMessage(&msg);
  }
}

}  // namespace framework
