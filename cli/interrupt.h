// Ctrl-C, and the requests to end that come from the system (SIGTERM; SIGHUP
// when the terminal closes; on Windows the console's close and shut-down
// events), stop a command as the window's Stop does: a scan stops, the rows
// found so far are still written, and a file being written is finished or
// removed, never left cut where it could pass for a whole one. A second
// Ctrl-C ends the program at once; the system's requests may come twice (a
// closed terminal sends SIGHUP from the kernel and again from the shell), so
// they only ever ask for a stop.
#pragma once

#include <atomic>

namespace tessel::cli {

// Routes the stop requests to `stopRequested` until the guard goes away.
// Guards nest: an inner one (a store's scan inside an export) takes them over
// and hands them back, passing on a request that came meanwhile.
class StopOnInterrupt {
 public:
  explicit StopOnInterrupt(std::atomic<int>& stopRequested);
  ~StopOnInterrupt();
  StopOnInterrupt(const StopOnInterrupt&) = delete;
  StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  // True when a stop request arrived while a guard was in place.
  static bool Interrupted();

 private:
  std::atomic<int>* previous_;
};

// The platform's side (interrupt_posix.cpp, cli_win32/interrupt_win32.cpp): catch the
// requests and call NoteInterrupt, from a signal handler or a console thread.
void StartInterruptRouting();
void StopInterruptRouting();
void NoteInterrupt();

}  // namespace tessel::cli
