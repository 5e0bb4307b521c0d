// The Saving dialog's words over its bar: which checked row is being written
// ("3 of 10") and about how long the rest will take, estimated from the rows
// done so far.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tessel::recovery {

// No estimate before this long or this many rows: the first files (a cold
// disk, a folder being made) say little of the rest.
inline constexpr std::chrono::milliseconds kEstimateAfter{1000};
inline constexpr std::size_t kEstimateAfterRows = 3;

// "N of M", N counting from 1: the row being written.
std::string SavingCountText(std::size_t writing, std::size_t total);

// "About 20 seconds left", "About 3 minutes left"; empty until an estimate
// means anything. `done` rows took `elapsed`.
std::string SavingTimeLeftText(std::size_t done, std::size_t total, std::chrono::milliseconds elapsed);

}  // namespace tessel::recovery
