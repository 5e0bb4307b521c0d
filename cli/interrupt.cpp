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
  previous_ = std::signal(SIGINT, OnInterrupt);
  // A program started with Ctrl-C ignored (a background job) keeps ignoring it.
  if (previous_ == SIG_IGN) std::signal(SIGINT, SIG_IGN);
}

StopOnInterrupt::~StopOnInterrupt() {
  std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_);
  g_stopTarget = nullptr;
}

bool StopOnInterrupt::Interrupted() { return g_interrupted != 0; }

}  // namespace tessel::cli
