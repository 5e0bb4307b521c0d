#include "cli/interrupt.h"

#include <csignal>

namespace tessel::cli {
namespace {

std::atomic<std::atomic<int>*> g_stopTarget{nullptr};
volatile std::sig_atomic_t g_interrupted = 0;
int g_guards = 0;  // guards in place (the main thread's only)

}  // namespace

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler stores into it");
static_assert(std::atomic<std::atomic<int>*>::is_always_lock_free, "a signal handler reads it");

void NoteInterrupt() {
  g_interrupted = 1;
  if (std::atomic<int>* target = g_stopTarget.load()) target->store(1);
}

StopOnInterrupt::StopOnInterrupt(std::atomic<int>& stopRequested) : previous_(g_stopTarget.load()) {
  g_stopTarget = &stopRequested;
  // Checked after the switch: a request is never lost between the two.
  if (g_interrupted != 0) stopRequested.store(1);
  if (g_guards++ == 0) StartInterruptRouting();
}

StopOnInterrupt::~StopOnInterrupt() {
  if (--g_guards == 0) StopInterruptRouting();
  g_stopTarget = previous_;
  if (g_interrupted != 0 && previous_ != nullptr) previous_->store(1);
}

bool StopOnInterrupt::Interrupted() { return g_interrupted != 0; }

}  // namespace tessel::cli
