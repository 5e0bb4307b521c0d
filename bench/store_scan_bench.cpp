// How fast `tessel scan --format tsv` recovers a 1 GiB store, by searching the
// store and by walking its index, against two baselines measured in the same
// run over the same file: a memmem count of "MIME-Version: 1." over 1 MiB
// chunks, and `grep -c -F -a`. Also the peak memory of each child process.
//
// The store is generated on first use in bench-data/ beside this program.
// Environment: TESSEL_BENCH_BYTES (store size, default 1 GiB), TESSEL_BENCH_DIR.
//
// Targets: each scan within 2x the memmem time and faster than grep; tessel's
// peak memory under 16 MiB whatever the store's size. The deep scan (--deep),
// alone and through the index, within 1.5x the raw scan's time, its memory as
// flat.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/store_data.h"

namespace bench = tessel::bench;
using bench::ChildRun;
using bench::CpuSeconds;
using bench::RunChild;

namespace {

constexpr char kBoundary[] = "MIME-Version: 1.";
constexpr size_t kBoundaryLength = sizeof kBoundary - 1;
constexpr size_t kChunk = 1 << 20;

std::string g_folder;
std::string g_store, g_index;
long long g_messages = 0;

// Wall time is what the targets speak of; CPU time is shown beside it.
std::map<std::string, bench::Measured> g_results;

// The baseline: occurrences of the boundary text, reading the file in 1 MiB
// chunks and carrying the last bytes over so no occurrence is cut.
long long MemmemCount(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  std::vector<char> buffer(kChunk + kBoundaryLength);
  size_t carried = 0;
  long long count = 0;
  while (true) {
    const ssize_t got = ::read(fd, buffer.data() + carried, kChunk);
    if (got <= 0) break;
    const size_t filled = carried + static_cast<size_t>(got);
    const char* at = buffer.data();
    const char* end = buffer.data() + filled;
    while (const void* hit = ::memmem(at, end - at, kBoundary, kBoundaryLength)) {
      ++count;
      at = static_cast<const char*>(hit) + kBoundaryLength;
    }
    carried = std::min(filled, kBoundaryLength - 1);
    std::memmove(buffer.data(), end - carried, carried);
  }
  ::close(fd);
  return count;
}

void BM_MemmemCount(benchmark::State& state) {
  long long count = 0;
  for (auto _ : state) {
    struct rusage before {
    }, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    count = MemmemCount(g_store);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::getrusage(RUSAGE_SELF, &after);
    state.SetIterationTime(seconds);
    g_results["memmem"].Add(seconds, CpuSeconds(after) - CpuSeconds(before), 0);
  }
  state.counters["matches"] = static_cast<double>(count);
  state.SetBytesProcessed(state.iterations() * bench::FileSize(g_store));
}

void BM_GrepCount(benchmark::State& state) {
  ChildRun run;
  for (auto _ : state) {
    run = RunChild({"grep", "-c", "-F", "-a", kBoundary, g_store}, true);
    state.SetIterationTime(run.seconds);
    g_results["grep"].Add(run.seconds, run.cpuSeconds, run.peakKiB);
  }
  state.counters["matches"] = std::atof(run.out.c_str());
  state.counters["peak_MiB"] = run.peakKiB / 1024.0;
  state.SetBytesProcessed(state.iterations() * bench::FileSize(g_store));
}

void RunTessel(benchmark::State& state, const std::string& name, const std::string& path, bool deep = false) {
  ChildRun run;
  for (auto _ : state) {
    run = deep ? RunChild({TESSEL_BINARY, "scan", "--deep", "--format", "tsv", path}, false)
               : RunChild({TESSEL_BINARY, "scan", "--format", "tsv", path}, false);
    state.SetIterationTime(run.seconds);
    g_results[name].Add(run.seconds, run.cpuSeconds, run.peakKiB);
  }
  if (run.exitCode != 0) state.SkipWithError("tessel failed");
  state.counters["peak_MiB"] = run.peakKiB / 1024.0;
  state.SetBytesProcessed(state.iterations() * bench::FileSize(g_store));
}

void BM_TesselScanStore(benchmark::State& state) { RunTessel(state, "store", g_store); }
void BM_TesselScanIndex(benchmark::State& state) { RunTessel(state, "index", g_index); }
void BM_TesselDeepScanStore(benchmark::State& state) { RunTessel(state, "deep store", g_store, true); }
void BM_TesselDeepScanIndex(benchmark::State& state) { RunTessel(state, "deep index", g_index, true); }

BENCHMARK(BM_MemmemCount)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepCount)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TesselScanStore)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TesselScanIndex)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TesselDeepScanStore)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TesselDeepScanIndex)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void PrintRatios() {
  const auto has = [](const char* name) { return g_results.count(name) > 0; };
  if (!has("memmem") || !has("grep")) return;
  const bench::Measured memmem = g_results["memmem"], grep = g_results["grep"];
  std::printf(
      "\nBaselines over %s (%.0f MiB, %lld messages): memmem %.3f s (cpu %.3f s), "
      "grep %.3f s (cpu %.3f s)\n",
      g_store.c_str(), bench::FileSize(g_store) / 1048576.0, g_messages, memmem.seconds, memmem.cpuSeconds,
      grep.seconds, grep.cpuSeconds);
  for (const char* name : {"store", "index"}) {
    if (!has(name)) continue;
    const bench::Measured& m = g_results[name];
    const double toMemmem = m.seconds / memmem.seconds, toGrep = m.seconds / grep.seconds;
    const double peak = m.peakKiB / 1024.0;
    std::printf(
        "tessel scan --format tsv (%s): %.3f s = %.2fx memmem (target <= 2: %s), "
        "%.2fx grep (target < 1: %s), peak %.1f MiB (target < 16: %s); "
        "cpu %.3f s = %.2fx memmem's, %.2fx grep's\n",
        std::strcmp(name, "store") == 0 ? "raw scan of the store" : "index walk", m.seconds, toMemmem,
        toMemmem <= 2 ? "met" : "MISSED", toGrep, toGrep < 1 ? "met" : "MISSED", peak, peak < 16 ? "met" : "MISSED",
        m.cpuSeconds, m.cpuSeconds / memmem.cpuSeconds, m.cpuSeconds / grep.cpuSeconds);
  }
  // The deep scan against the raw scan of the same store, in the same run.
  if (!has("store")) return;
  const bench::Measured& raw = g_results["store"];
  for (const char* name : {"deep store", "deep index"}) {
    if (!has(name)) continue;
    const bench::Measured& m = g_results[name];
    const double toRaw = m.seconds / raw.seconds, peak = m.peakKiB / 1024.0;
    std::printf(
        "tessel scan --deep --format tsv (%s): %.3f s = %.2fx the raw scan (target <= 1.5: %s), "
        "peak %.1f MiB (target < 16: %s); cpu %.3f s = %.2fx the raw scan's\n",
        std::strcmp(name, "deep store") == 0 ? "the store" : "through the index", m.seconds, toRaw,
        toRaw <= 1.5 ? "met" : "MISSED", peak, peak < 16 ? "met" : "MISSED", m.cpuSeconds,
        m.cpuSeconds / raw.cpuSeconds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("TESSEL_BENCH_DIR");
  g_folder = folder != nullptr ? folder : bench::ProgramFolder(argv[0]) + "/bench-data";
  const char* bytes = std::getenv("TESSEL_BENCH_BYTES");
  const int64_t size = bytes != nullptr ? std::atoll(bytes) : (int64_t{1} << 30);
  std::fprintf(stderr, "store benchmark: preparing %lld bytes in %s\n", static_cast<long long>(size), g_folder.c_str());
  g_messages = tessel::bench::EnsureBenchStore(g_folder, size);
  if (g_messages < 0) {
    std::fprintf(stderr, "store benchmark: cannot write the store in %s\n", g_folder.c_str());
    return 1;
  }
  g_store = g_folder + "/Bench.imm";
  g_index = g_folder + "/Bench.imh";
  MemmemCount(g_store);  // bring the file into the page cache before timing

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintRatios();
  return 0;
}
