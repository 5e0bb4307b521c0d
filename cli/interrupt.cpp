#include "cli/interrupt.h"

#include <csignal>

namespace tessel::cli {
namespace {

std::atomic<std::atomic<int>*> g_stopTarget{nullptr};
volatile std::sig_atomic_t g_interrupted = 0;

}  // namespace

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler stores into it");
static_assert(std::atomic<std::atomic<int>*>::is_always_lock_free, "a signal handler reads it");

void NoteInterrupt() {
  g_interrupted = 1;
  if (std::atomic<int>* target = g_stopTarget.load()) target->store(1);
}

StopOnInterrupt::StopOnInterrupt(std::atomic<int>& stopRequested) {
  g_stopTarget = &stopRequested;
  StartInterruptRouting();
}

StopOnInterrupt::~StopOnInterrupt() {
  StopInterruptRouting();
  g_stopTarget = nullptr;
}

bool StopOnInterrupt::Interrupted() { return g_interrupted != 0; }

}  // namespace tessel::cli
