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

std::int64_t IndexWindowHolding(std::int64_t from, std::int64_t marker, std::int64_t indexSize) {
  const std::int64_t step = kIndexWindow - kIndexOverlap;
  const std::int64_t lastTested = kIndexWindow - static_cast<std::int64_t>(kIndexEntryMarker.size()) - 1;
  const std::int64_t finalWindow = CeilDiv(indexSize - from - kIndexWindow, step);
  const std::int64_t markerWindow = CeilDiv(marker - from - lastTested, step);
  if (markerWindow < finalWindow) return kIndexWindow;
  return indexSize - (from + step * finalWindow);
}

}  // namespace tessel
