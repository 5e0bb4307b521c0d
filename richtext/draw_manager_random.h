#pragma once
// The random source of the textures and the division that scales its values.

#include <cstdint>

namespace tessel {

// r / d for 0 <= r <= 32767 and 1 <= d <= 32767 by one multiplication: with
// m = 2^31 / d rounded up, (r * m) / 2^31 errs by less than r / 2^31 < 2^-16,
// less than 1/d, so the quotient is exact. Division per pixel would dominate
// the textures' time. Divisors are held to 1 to 32767.
class RandomDivider {
 public:
  explicit RandomDivider(int divisor)
      : multiplier_(static_cast<std::uint32_t>(((std::uint64_t{1} << 31) + Held(divisor) - 1) / Held(divisor))) {}
  int operator()(int r) const {
    return static_cast<int>((std::uint64_t{static_cast<std::uint32_t>(r)} * multiplier_) >> 31);
  }

 private:
  static std::uint64_t Held(int divisor) {
    return static_cast<std::uint64_t>(divisor < 1 ? 1 : divisor > 32767 ? 32767 : divisor);
  }
  std::uint32_t multiplier_;  // at most 2^31
};

// The textures' random source: values 0 to 32767 from a small linear
// congruential generator. Every texture starts it from kSeed, so a texture
// looks the same each time it is drawn, on every surface.
class TextureRandom {
 public:
  static constexpr std::uint32_t kSeed = 1;
  int Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return Value(state_);
  }
  // The next `count` values v as divide(v) - offset, in the order `count` calls
  // of Next() would give them; made in interleaved lanes so that the steps do
  // not wait for each other.
  void Fill(int* out, int count, const RandomDivider& divide = RandomDivider(1), int offset = 0);

 private:
  static constexpr std::uint32_t kMultiplier = 214013u;
  static constexpr std::uint32_t kIncrement = 2531011u;
  static int Value(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }

  std::uint32_t state_ = kSeed;
};

}  // namespace tessel
