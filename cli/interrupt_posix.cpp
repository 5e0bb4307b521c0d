// Stop requests on Linux and macOS: SIGINT (Ctrl-C), SIGTERM and SIGHUP.
#include <signal.h>

#include <cstddef>

#include "cli/interrupt.h"

namespace tessel::cli {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSignalCount = sizeof kStopSignals / sizeof kStopSignals[0];

struct sigaction g_previous[kSignalCount];  // the handlers to put back
bool g_routed[kSignalCount] = {};

extern "C" void OnStopSignal(int) { NoteInterrupt(); }

}  // namespace

void StartInterruptRouting() {
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    const int number = kStopSignals[i];
    if (::sigaction(number, nullptr, &g_previous[i]) != 0) continue;
    // A signal the program was started ignoring (nohup, a background job) stays ignored.
    if ((g_previous[i].sa_flags & SA_SIGINFO) == 0 && g_previous[i].sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    ::sigemptyset(&action.sa_mask);
    // Reads and writes under way go on after the handler, rather than fail.
    // Only Ctrl-C falls back to the default at once, so that a second one ends the program.
    action.sa_flags = SA_RESTART | (number == SIGINT ? SA_RESETHAND : 0);
    g_routed[i] = ::sigaction(number, &action, nullptr) == 0;
  }
}

void StopInterruptRouting() {
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    // Once a stop is asked, the system's second request (the shell's SIGHUP
    // after the kernel's) may come as tessel ends: it stays caught, so that it
    // cannot end tessel instead, with a file unfinished or the status lost.
    const bool keep = kStopSignals[i] != SIGINT && StopOnInterrupt::Interrupted();
    if (g_routed[i] && !keep) ::sigaction(kStopSignals[i], &g_previous[i], nullptr);
    g_routed[i] = false;
  }
}

}  // namespace tessel::cli
