// Time of one fill of a 765 x 500 rectangle with each fill effect on the
// software surface, against a plain memset of the same pixels measured in the
// same run. The "x_memset" counter is the fill's CPU time over the memset's, so
// that other work on the machine does not skew it.

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>

#include "draw/draw_manager.h"
#include "draw/software_surface.h"

namespace {

using namespace tessel;

constexpr int kWidth = 765;
constexpr int kHeight = 500;
constexpr int kBaselineRounds = 200;

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds per memset of the rectangle's pixels, measured once.
double BaselineSeconds() {
  static const double seconds = [] {
    PixelImage image(kWidth, kHeight);
    const std::size_t bytes = sizeof(Pixel) * kWidth * kHeight;
    const double start = ThreadSeconds();
    for (int round = 0; round < kBaselineRounds; ++round) {
      std::memset(image.Row(0), round & 0xFF, bytes);
      benchmark::DoNotOptimize(image.Row(0));
      benchmark::ClobberMemory();
    }
    return (ThreadSeconds() - start) / kBaselineRounds;
  }();
  return seconds;
}

void Report(benchmark::State& state, double seconds) {
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  state.counters["x_memset"] = seconds / static_cast<double>(state.iterations()) / BaselineSeconds();
}

void BM_MemsetBaseline(benchmark::State& state) {
  PixelImage image(kWidth, kHeight);
  const std::size_t bytes = sizeof(Pixel) * kWidth * kHeight;
  const double start = ThreadSeconds();
  for (auto _ : state) {
    std::memset(image.Row(0), 0x5A, bytes);
    benchmark::DoNotOptimize(image.Row(0));
    benchmark::ClobberMemory();
  }
  Report(state, ThreadSeconds() - start);
}
BENCHMARK(BM_MemsetBaseline);

void Fill(benchmark::State& state, int noise, int blend) {
  PixelImage image(kWidth, kHeight);
  SoftwareSurface surface(image);
  DrawManager draw;
  const int effect = static_cast<int>(state.range(0));
  const Rect rect{0, 0, kWidth, kHeight};
  const double start = ThreadSeconds();
  for (auto _ : state) {
    draw.FillEffect(surface, effect, rect, 0x86FDF7, 0xFFFFFF, 0x86FDF7, noise, blend);
    benchmark::DoNotOptimize(image.Row(0));
    benchmark::ClobberMemory();
  }
  Report(state, ThreadSeconds() - start);
}

// The wizard's colours, no noise and no blend, as the message box draws them.
void BM_FillEffect(benchmark::State& state) { Fill(state, 0, 0); }
BENCHMARK(BM_FillEffect)->DenseRange(0, 15)->Unit(benchmark::kMicrosecond);

// Textures with noise and a blend: every pixel's noise term is then in play.
void BM_NoisyTexture(benchmark::State& state) { Fill(state, 12, 30); }
BENCHMARK(BM_NoisyTexture)->DenseRange(7, 15)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
