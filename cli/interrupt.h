// Ctrl-C during a scan asks the engine to stop, as the window's Stop does: the
// rows found so far are still written. A second Ctrl-C ends the program at once.
#pragma once

#include <atomic>

namespace tessel::cli {

// Routes SIGINT to `stopRequested` until the returned guard goes away.
class StopOnInterrupt {
 public:
  explicit StopOnInterrupt(std::atomic<int>& stopRequested);
  ~StopOnInterrupt();
  StopOnInterrupt(const StopOnInterrupt&) = delete;
  StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  // True when a SIGINT arrived while the guard was in place.
  static bool Interrupted();

 private:
  void (*previous_)(int);  // the handler to put back
};

}  // namespace tessel::cli
