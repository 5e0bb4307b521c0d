// Ctrl-C during a scan asks the engine to stop, as the window's Stop does: the
// rows found so far are still written. A second Ctrl-C ends the program at once.
#pragma once

#include <atomic>

namespace tessel::cli {

// Routes Ctrl-C to `stopRequested` until the guard goes away.
class StopOnInterrupt {
 public:
  explicit StopOnInterrupt(std::atomic<int>& stopRequested);
  ~StopOnInterrupt();
  StopOnInterrupt(const StopOnInterrupt&) = delete;
  StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  // True when a Ctrl-C arrived while a guard was in place.
  static bool Interrupted();
};

// The platform's side (interrupt_posix.cpp, interrupt_windows.cpp): catch
// Ctrl-C and call NoteInterrupt, from a signal handler or a console thread.
void StartInterruptRouting();
void StopInterruptRouting();
void NoteInterrupt();

}  // namespace tessel::cli
