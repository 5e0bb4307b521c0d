// The one road of a queued message to its window: every message loop of the
// program (the modal dialog loop, and tests that drive a window) first offers
// the message to the wrappers from its window up to the top-level window, so a
// button can relay it to its tool tip and a dialog can handle its keys.
#pragma once

#include <windows.h>

namespace framework {

// True when a wrapper on the way consumed the message.
bool PreTranslateInChain(MSG* msg);
// Pre-translates, then translates and dispatches what was not consumed.
void PumpMessage(MSG* msg);
// Handles every message queued for this thread, without waiting.
void PumpPendingMessages();

}  // namespace framework
