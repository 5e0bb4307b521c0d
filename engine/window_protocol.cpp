#include "engine/window_protocol.h"

#include <algorithm>

namespace tessel {
namespace {

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a <= 0 ? 0 : (a + b - 1) / b; }

}  // namespace

std::int64_t LastRawPositionSearched(std::int64_t from, std::int64_t storeSize) {
  // A window of W bytes tests positions 0 to W - 17: not the last one where the
  // text would still fit.
  const std::int64_t untested = static_cast<std::int64_t>(kMessageBoundary.size()) + 1;
  const std::int64_t lastOfFinalWindow = storeSize - untested;
  const std::int64_t step = kRawWindow - kRawOverlap;
  if (storeSize - from <= kRawWindow) return lastOfFinalWindow;  // one window to the end
  // The first window that reaches the end of the store.
  const std::int64_t finalStart = from + step * CeilDiv(storeSize - from - kRawWindow, step);
  if (storeSize - finalStart > kRawTail) return lastOfFinalWindow;
  // That window is too small to be read: the search ends with the one before.
  return std::min(lastOfFinalWindow, finalStart - step + kRawWindow - untested);
}

}  // namespace tessel
