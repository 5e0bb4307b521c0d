#include "richtext/draw_manager_random.h"

namespace tessel {

namespace {

constexpr int kLanes = 16;  // independent steps in flight; enough to hide the multiplications

// The generator's step taken kLanes times: s(n + kLanes) = A s(n) + C, modulo 2^32.
struct Leap {
  std::uint32_t multiplier = 1;
  std::uint32_t increment = 0;
};

constexpr Leap MakeLeap(std::uint32_t a, std::uint32_t c) {
  Leap leap;
  for (int i = 0; i < kLanes; ++i) {
    leap.increment = leap.increment * a + c;
    leap.multiplier *= a;
  }
  return leap;
}

}  // namespace

void TextureRandom::Fill(int* out, int count, const RandomDivider& divide, int offset) {
  constexpr Leap kLeap = MakeLeap(kMultiplier, kIncrement);
  int i = 0;
  if (count >= 2 * kLanes) {
    std::uint32_t lanes[kLanes];
    for (std::uint32_t& lane : lanes) lane = state_ = state_ * kMultiplier + kIncrement;
    for (; i + kLanes <= count; i += kLanes) {
      for (int k = 0; k < kLanes; ++k) out[i + k] = divide(Value(lanes[k])) - offset;
      state_ = lanes[kLanes - 1];  // the last value handed out
      for (std::uint32_t& lane : lanes) lane = lane * kLeap.multiplier + kLeap.increment;
    }
  }
  for (; i < count; ++i) out[i] = divide(Next()) - offset;
}

}  // namespace tessel
