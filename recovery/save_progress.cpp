#include "recovery/save_progress.h"

#include "recovery/plural.h"

namespace tessel::recovery {

std::string SavingCountText(std::size_t writing, std::size_t total) {
  return std::to_string(writing + 1) + " of " + std::to_string(total);
}

std::string SavingTimeLeftText(std::size_t done, std::size_t total, std::chrono::milliseconds elapsed) {
  if (done < kEstimateAfterRows || done >= total || elapsed < kEstimateAfter) return {};
  // In whole seconds, rounded up: "0 seconds left" would be untrue while a file is written.
  const long long leftMs = elapsed.count() * static_cast<long long>(total - done) / static_cast<long long>(done);
  const long long seconds = (leftMs + 999) / 1000;
  if (seconds < 60) return "About " + Counted(seconds, "second") + " left";
  return "About " + Counted((seconds + 59) / 60, "minute") + " left";
}

}  // namespace tessel::recovery
