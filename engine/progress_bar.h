// The progress bar a scan moves. Positions are bytes of the file being walked;
// the Windows adapter scales them when a file is larger than the control's
// 32-bit range.
#pragma once

#include <cstdint>

namespace tessel {

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual void SetRange(std::int64_t upper) = 0;  // lower bound is always 0
  virtual void SetPosition(std::int64_t position) = 0;
};

}  // namespace tessel
