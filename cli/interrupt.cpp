#include "cli/interrupt.h"

#include <csignal>

namespace tessel::cli {
namespace {

std::atomic<int>* g_stopTarget = nullptr;
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
  g_interrupted = 1;
  if (g_stopTarget != nullptr) g_stopTarget->store(1);
  std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the program
}

}  // namespace

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler stores into it");

StopOnInterrupt::StopOnInterrupt(std::atomic<int>& stopRequested) {
  g_stopTarget = &stopRequested;
  std::signal(SIGINT, OnInterrupt);
}

StopOnInterrupt::~StopOnInterrupt() {
  std::signal(SIGINT, SIG_DFL);
  g_stopTarget = nullptr;
}

bool StopOnInterrupt::Interrupted() { return g_interrupted != 0; }

}  // namespace tessel::cli
