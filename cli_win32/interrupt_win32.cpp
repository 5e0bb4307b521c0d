// Stop requests on Windows: the console's control handler, which Windows calls
// on a thread of its own.
#include <windows.h>

#include "cli/interrupt.h"

namespace tessel::cli {
namespace {

std::atomic<bool> g_seen{false};    // a Ctrl-C or Ctrl-Break came
std::atomic<bool> g_ending{false};  // the console closes or Windows shuts down

BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      // A second one goes on to the default handler, which ends the program.
      if (g_seen.exchange(true)) return FALSE;
      NoteInterrupt();
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // Windows ends the process as soon as this returns: wait here while
      // tessel stops and finishes or removes its file, and ends by itself (or
      // Windows gives up waiting after some seconds).
      g_ending = true;
      NoteInterrupt();
      ::Sleep(INFINITE);
      return TRUE;
    default:
      // Log-off: sent for any user's, so it is no reason to stop.
      return FALSE;
  }
}

}  // namespace

void StartInterruptRouting() {
  g_seen = false;
  if (!g_ending) ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void StopInterruptRouting() {
  // While the console closes, the handler stays: it holds the process open.
  if (!g_ending) ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

}  // namespace tessel::cli
