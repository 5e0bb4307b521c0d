// What the readable cells cost: `tessel scan --deep --readable --format tsv`
// through the index of the store benchmark's store, against the same scan
// without them, measured in the same run over the same file (each the best
// of three).
//
// The store is the store benchmark's (bench/store_data.h), generated on first
// use in bench-data/ beside this program. Environment: TESSEL_BENCH_BYTES
// (store size, default 256 MiB), TESSEL_BENCH_DIR.
//
// Target: the readable scan within 1.3x the plain one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/child_process.h"
#include "bench/store_data.h"

namespace bench = tessel::bench;

namespace {

std::string g_index;
std::map<std::string, bench::Measured> g_results;

void RunScan(benchmark::State& state, const std::string& name, bool readable) {
  bench::ChildRun run;
  for (auto _ : state) {
    run = readable ? bench::RunChild({TESSEL_BINARY, "scan", "--deep", "--readable", "--format", "tsv", g_index}, false)
                   : bench::RunChild({TESSEL_BINARY, "scan", "--deep", "--format", "tsv", g_index}, false);
    state.SetIterationTime(run.seconds);
    g_results[name].Add(run.seconds, run.cpuSeconds, run.peakKiB);
  }
  if (run.exitCode != 0) state.SkipWithError("tessel failed");
  state.counters["peak_MiB"] = run.peakKiB / 1024.0;
}

void BM_DeepScan(benchmark::State& state) { RunScan(state, "stored", false); }
void BM_DeepScanReadable(benchmark::State& state) { RunScan(state, "readable", true); }

BENCHMARK(BM_DeepScan)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepScanReadable)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("TESSEL_BENCH_DIR");
  const std::string dir = folder != nullptr ? folder : bench::ProgramFolder(argv[0]) + "/bench-data";
  const char* bytes = std::getenv("TESSEL_BENCH_BYTES");
  const std::int64_t size = bytes != nullptr ? std::atoll(bytes) : (std::int64_t{256} << 20);
  const long long messages = bench::EnsureBenchStore(dir, size);
  if (messages < 0) {
    std::fprintf(stderr, "readable cells benchmark: cannot write the store in %s\n", dir.c_str());
    return 1;
  }
  g_index = dir + "/Bench.imh";
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_results.count("stored") == 0 || g_results.count("readable") == 0) return 0;
  const bench::Measured& plain = g_results["stored"];
  const bench::Measured& readable = g_results["readable"];
  const double ratio = readable.seconds / plain.seconds;
  std::printf(
      "\ntessel scan --deep --readable --format tsv through the index (%lld messages, %.0f MiB): %.3f s against "
      "%.3f s without readable cells = %.2fx (target <= 1.3: %s); cpu %.3f s against %.3f s = %.2fx\n",
      messages, bench::FileSize(dir + "/Bench.imm") / 1048576.0, readable.seconds, plain.seconds, ratio,
      ratio <= 1.3 ? "met" : "MISSED", readable.cpuSeconds, plain.cpuSeconds, readable.cpuSeconds / plain.cpuSeconds);
  return 0;
}
