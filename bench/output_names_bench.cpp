// How the identity export's names scale: 20,000 stores of one name ("Inbox",
// "Inbox (2)", ... as many subfolders of a damaged disk give) against 20,000
// stores of different names, in the same run. Numbering that searched from
// "(2)" for each name took 36 s for the first; linear naming keeps the ratio
// near 1 whatever the count.
//
// Target: the ratio under 3.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "export/output_names.h"

namespace {

constexpr int kNames = 20000;

double g_distinct = 0, g_same = 0;  // seconds per run

void Name(benchmark::State& state, bool same, double& seconds) {
  std::vector<std::string> stems;
  for (int i = 0; i < kNames; ++i) stems.push_back(same ? std::string("Inbox") : "Inbox " + std::to_string(i));
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    tessel::exporting::UniqueNames names;
    for (const std::string& stem : stems)
      benchmark::DoNotOptimize(names.Take(stem, {".mbox", " (found only in the store).mbox"}));
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.SetItemsProcessed(state.iterations() * kNames);
}

void BM_DistinctNames(benchmark::State& state) { Name(state, false, g_distinct); }
void BM_OneNameForAll(benchmark::State& state) { Name(state, true, g_same); }
BENCHMARK(BM_DistinctNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneNameForAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_distinct > 0) {
    std::printf("%d names: one name for all %.1f ms, all different %.1f ms, ratio %.2f (target under 3)\n", kNames,
                g_same * 1000, g_distinct * 1000, g_same / g_distinct);
  }
  return 0;
}
