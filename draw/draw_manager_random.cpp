#include "draw/draw_manager_random.h"

#include <algorithm>

namespace tessel {

namespace {

constexpr int kLanes = 32;  // independent steps in flight; a whole number of vectors

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

RandomDivider::RandomDivider(int divisor) {
  const auto d = static_cast<std::uint32_t>(std::clamp(divisor, 1, 32767));
  int l = 0;
  while ((std::uint32_t{1} << l) < d) ++l;
  shift_ = 15 + l;
  multiplier_ = static_cast<std::uint32_t>(((std::uint64_t{1} << shift_) + d - 1) / d);
}

TESSEL_PIXEL_LOOP void TextureRandom::Fill(int* out, int count, const RandomDivider& divide, int offset) {
  constexpr Leap kLeap = MakeLeap(kMultiplier, kIncrement);
  const std::uint32_t multiplier = divide.Multiplier();
  const int shift = divide.Shift();
  int i = 0;
  if (count >= kLanes) {
    std::uint32_t lanes[kLanes];  // the states of the next kLanes values
    for (std::uint32_t& lane : lanes) lane = state_ = Step(state_);
    for (; i + kLanes <= count; i += kLanes) {
      state_ = lanes[kLanes - 1];  // the last value this block hands out
      for (int k = 0; k < kLanes; ++k) {
        const std::uint32_t value = (lanes[k] >> 16) & 0x7FFF;
        out[i + k] = static_cast<int>((value * multiplier) >> shift) - offset;
        lanes[k] = lanes[k] * kLeap.multiplier + kLeap.increment;
      }
    }
  }
  for (; i < count; ++i) out[i] = divide(Next()) - offset;
}

}  // namespace tessel
