// Ctrl-C on Windows: the console's control handler, which Windows calls on a
// thread of its own.
#include <windows.h>

#include "cli/interrupt.h"

namespace tessel::cli {
namespace {

std::atomic<bool> g_seen{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  // A second Ctrl-C goes on to the default handler, which ends the program.
  if (g_seen.exchange(true)) return FALSE;
  NoteInterrupt();
  return TRUE;
}

}  // namespace

void StartInterruptRouting() {
  g_seen = false;
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void StopInterruptRouting() { ::SetConsoleCtrlHandler(OnConsoleControl, FALSE); }

}  // namespace tessel::cli
