// Bytes of a file that could not be read, as the reader that passes read
// errors notes them and as a row carries them.
#pragma once

#include <cstdint>

namespace tessel {

// Bytes [begin, end) of a file that could not be read, and why (errno).
struct UnreadableRange {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  int errorCode = 0;
  friend bool operator==(const UnreadableRange&, const UnreadableRange&) = default;
};

}  // namespace tessel
