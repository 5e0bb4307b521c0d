// Ctrl-C on Linux and macOS: SIGINT.
#include <csignal>

#include "cli/interrupt.h"

namespace tessel::cli {
namespace {

using Handler = void (*)(int);
Handler g_previous = SIG_DFL;  // the handler to put back

extern "C" void OnInterrupt(int) {
  NoteInterrupt();
  std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the program
}

}  // namespace

void StartInterruptRouting() {
  g_previous = std::signal(SIGINT, OnInterrupt);
  // A program started with Ctrl-C ignored (a background job) keeps ignoring it.
  if (g_previous == SIG_IGN) std::signal(SIGINT, SIG_IGN);
}

void StopInterruptRouting() { std::signal(SIGINT, g_previous == SIG_ERR ? SIG_DFL : g_previous); }

}  // namespace tessel::cli
