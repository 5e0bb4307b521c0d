#pragma once
// The random source of the textures and the division that scales its values.

#include <cstdint>

// The textures' per-pixel loops stay out of line: their restrict pointers let
// the compiler vectorise them, which it no longer does once they are inlined.
// On x86-64 Linux they are compiled twice, for AVX2 and for the baseline
// processor, and the processor's best is picked at load time; both give the
// same results. Define TESSEL_PIXEL_LOOP as __attribute__((noinline)) to build
// the baseline only.
#ifndef TESSEL_PIXEL_LOOP
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__)
#define TESSEL_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#elif defined(__GNUC__)
#define TESSEL_PIXEL_LOOP __attribute__((noinline))
#else
#define TESSEL_PIXEL_LOOP
#endif
#endif

namespace tessel {

// r / d for 0 <= r <= 32767 and 1 <= d <= 32767 by one 32-bit multiplication
// and a shift: with 2^(l-1) < d <= 2^l and m = 2^(15+l) / d rounded up, r * m /
// 2^(15+l) exceeds r / d by less than r / 2^(15+l) < 2^-l <= 1/d, so the
// quotient is exact, and r * m < 2^15 * 2^16 fits in 32 bits. A division per
// pixel would dominate the textures' time; a multiplication vectorises.
// Divisors are held to 1 to 32767.
class RandomDivider {
 public:
  explicit RandomDivider(int divisor);
  int operator()(int r) const { return static_cast<int>((static_cast<std::uint32_t>(r) * multiplier_) >> shift_); }
  std::uint32_t Multiplier() const { return multiplier_; }  // below 2^16
  int Shift() const { return shift_; }                      // 15 to 30

 private:
  std::uint32_t multiplier_;
  int shift_;
};

// The textures' random source: values 0 to 32767 from a small linear
// congruential generator. Every texture starts it from kSeed, so a texture
// looks the same each time it is drawn, on every surface.
class TextureRandom {
 public:
  static constexpr std::uint32_t kSeed = 1;
  int Next() {
    state_ = Step(state_);
    return Value(state_);
  }
  // The next `count` values v as divide(v) - offset, in the order `count` calls
  // of Next() would give them; made in interleaved lanes, several steps apart,
  // so that the steps do not wait for each other and the compiler can vectorise.
  void Fill(int* out, int count, const RandomDivider& divide = RandomDivider(1), int offset = 0);

 private:
  // The C runtime's generator, whose sequence the textures' look is defined by.
  static constexpr std::uint32_t kMultiplier = 214013u;
  static constexpr std::uint32_t kIncrement = 2531011u;
  static std::uint32_t Step(std::uint32_t state) { return state * kMultiplier + kIncrement; }
  static int Value(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }

  std::uint32_t state_ = kSeed;
};

}  // namespace tessel
