// How the deep scan's time grows where it used to grow faster than the bytes,
// each against a baseline over the same bytes in the same run (in memory, the
// engine called directly):
// - resynchronisation: an index of 100,000 entries that match nothing, against
//   the deep scan of the store alone (target: within 2x);
// - an index of many small entries, against the usual walk of the same index
//   (target: within 3x);
// - multiparts that never close, followed by messages whose boundaries begin
//   with theirs, at two store sizes (target: the time per byte stays), beside
//   the raw scan of the same store;
// - messages of one length with every fourth one deleted from the index, at
//   two counts (target: within 2.5x for twice the messages);
// - a body of header-like lines ("From: a@b.cd") at 1 and 2 MiB (target:
//   within 2.5x for twice the bytes, and within 10x of ordinary mail).
// Environment: TESSEL_BENCH_MESSAGES (messages of the first store, default
// 100000), TESSEL_BENCH_ONE_LENGTH (messages of the smaller one-length store,
// default 40000).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "engine/deep_scan.h"
#include "engine/engine.h"
#include "engine/store_scans.h"
#include "tests/support/mail_files.h"

namespace {

using tessel::mailfiles::IndexEntry;
using tessel::mailfiles::IndexHeader;

class StringReader final : public tessel::ByteReader {
 public:
  explicit StringReader(const std::string& bytes) : bytes_(bytes) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (offset < 0 || offset >= Size()) return 0;
    return bytes_.copy(static_cast<char*>(buffer), count, static_cast<std::size_t>(offset));
  }
  int LastError() const override { return 0; }
  bool MayReadAhead() const override { return true; }

 private:
  const std::string& bytes_;
};

class NoProgress final : public tessel::ProgressBar {
 public:
  void SetRange(std::int64_t) override {}
  void SetPosition(std::int64_t) override {}
};

std::string Delivered(long n, const std::string& body) {
  const std::string id = std::to_string(n);
  return "Return-Path: <ann" + id + "@example.org>\r\nReceived: from mx.example.org by mail.example.com;\r\n" +
         "\tMon, 7 Oct 2002 10:00:00 -0500\r\nMessage-ID: <" + id + "@example.org>\r\nFrom: Ann <ann@example.org>\r\n" +
         "Subject: message " + id + "\r\nMIME-Version: 1.0\r\n\r\n" + body;
}

struct Stores {
  std::string mail;          // small delivered messages
  std::string mailIndex;     // every one of them
  std::string nothingIndex;  // 100,000 entries that match none of them
  std::string tiny;          // many tiny messages
  std::string tinyIndex;
  std::string unclosed[2];  // multiparts without their closing delimiter, at two sizes
  // Messages of one length, every fourth deleted from the index (with a
  // length of its own), at two sizes, and their indexes.
  std::string oneLength[2], oneLengthIndex[2];
  // Header-like body lines ("From: a@b.cd") at two sizes, and ordinary mail of the larger size.
  std::string headerLike[2], ordinary;
};
Stores g;

void Build() {
  const char* count = std::getenv("TESSEL_BENCH_MESSAGES");
  const long messages = count != nullptr ? std::atol(count) : 100000;
  g.mailIndex = IndexHeader();
  for (long i = 0; i < messages; ++i) {
    const std::string message = Delivered(i, std::string(200 + (i * 37) % 900, 'x') + "\r\nBye\r\n");
    g.mail += message;
    g.mailIndex += IndexEntry(static_cast<std::uint32_t>(message.size()));
  }
  // Lengths shorter than any message's header: no record fits anywhere.
  g.nothingIndex = IndexHeader();
  for (int i = 0; i < 100000; ++i) g.nothingIndex += IndexEntry(static_cast<std::uint32_t>(3 + i % 97));
  g.tinyIndex = IndexHeader();
  for (long i = 0; i < messages * 2; ++i) {
    const std::string message = "From: a@example.org\r\nDate: " + std::to_string(i) + "\r\n\r\nx\r\n";
    g.tiny += message;
    g.tinyIndex += IndexEntry(static_cast<std::uint32_t>(message.size()));
  }
  for (int size = 0; size < 2; ++size) {
    for (long i = 0; g.unclosed[size].size() < (std::size_t{4} << 20) << (2 * size); ++i) {
      const bool cut = i % 8 == 0;
      const std::string boundary = cut ? "----=_NextPart_0" : "----=_NextPart_000_" + std::to_string(i);
      std::string message = Delivered(i, "--" + boundary + "\r\nContent-Type: text/plain\r\n\r\n" +
                                             std::string(300, 'y') + "\r\n" + (cut ? "" : "--" + boundary + "--\r\n"));
      message.insert(message.find("\r\n\r\n") + 2, "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n");
      g.unclosed[size] += message;
    }
  }
}

// One message of exactly `size` bytes (the body pads it).
std::string OfLength(long n, std::size_t size) {
  std::string message = Delivered(n, "");
  message += std::string(size - message.size() - 2, 'z') + "\r\n";
  return message;
}

void BuildLinearShapes() {
  const char* count = std::getenv("TESSEL_BENCH_ONE_LENGTH");
  const long messages = count != nullptr ? std::atol(count) : 40000;
  for (int size = 0; size < 2; ++size) {
    g.oneLengthIndex[size] = IndexHeader();
    for (long i = 0; i < messages << size; ++i) {
      const bool deleted = i % 4 == 3;
      const std::string message = OfLength(i, deleted ? 700 : 600);
      g.oneLength[size] += message;
      if (!deleted) g.oneLengthIndex[size] += IndexEntry(static_cast<std::uint32_t>(message.size()));
    }
    const std::string opening = Delivered(0, "Hello,\r\n\r\n");
    g.headerLike[size] = opening;
    while (g.headerLike[size].size() < (std::size_t{1} << 20) << size) g.headerLike[size] += "From: a@b.cd\r\n";
  }
  for (long i = 0; g.ordinary.size() < g.headerLike[1].size(); ++i)
    g.ordinary += Delivered(i, std::string(200 + (i * 37) % 900, 'x') + "\r\nBye\r\n");
}

// The best wall and CPU time (all threads: the read-ahead too) of each.
std::map<std::string, double> g_seconds, g_cpu;

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Times one scan per iteration; the best time is kept.
void Time(benchmark::State& state, const std::string& name, const std::function<void(tessel::ScanPorts&)>& scan) {
  for (auto _ : state) {
    tessel::MemoryRows list;
    NoProgress progress;
    std::atomic<int> stop{0};
    tessel::ScanPorts context{list, progress, stop};
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    scan(context);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = ProcessCpuSeconds() - cpuStart;
    if (g_cpu.count(name) == 0 || cpu < g_cpu[name]) g_cpu[name] = cpu;
    state.SetIterationTime(seconds);
    state.counters["rows"] = static_cast<double>(list.Messages().size());
    if (g_seconds.count(name) == 0 || seconds < g_seconds[name]) g_seconds[name] = seconds;
  }
}

void Deep(tessel::ScanPorts& context, const std::string& store, const std::string* index) {
  StringReader storeReader(store);
  StringReader indexReader(index != nullptr ? *index : store);
  tessel::DeepScan(context, storeReader, index != nullptr ? &indexReader : nullptr);
}

void BM_DeepStoreAlone(benchmark::State& state) {
  Time(state, "deep store", [](tessel::ScanPorts& c) { Deep(c, g.mail, nullptr); });
}
void BM_DeepIndexMatchingNothing(benchmark::State& state) {
  Time(state, "deep nothing", [](tessel::ScanPorts& c) { Deep(c, g.mail, &g.nothingIndex); });
}
void BM_UsualWalkSmallEntries(benchmark::State& state) {
  Time(state, "walk tiny", [](tessel::ScanPorts& c) {
    StringReader storeReader(g.tiny), indexReader(g.tinyIndex);
    tessel::WalkIndex(c, indexReader, storeReader);
  });
}
void BM_DeepWalkSmallEntries(benchmark::State& state) {
  Time(state, "deep tiny", [](tessel::ScanPorts& c) { Deep(c, g.tiny, &g.tinyIndex); });
}
void BM_RawScanUnclosed(benchmark::State& state) {
  Time(state, "raw unclosed", [](tessel::ScanPorts& c) {
    StringReader storeReader(g.unclosed[1]);
    tessel::RawScanStore(c, storeReader);
  });
}
void BM_DeepUnclosedSmall(benchmark::State& state) {
  Time(state, "deep unclosed 0", [](tessel::ScanPorts& c) { Deep(c, g.unclosed[0], nullptr); });
}
void BM_DeepUnclosedLarge(benchmark::State& state) {
  Time(state, "deep unclosed 1", [](tessel::ScanPorts& c) { Deep(c, g.unclosed[1], nullptr); });
}

void BM_DeepOneLength0(benchmark::State& state) {
  Time(state, "deep one length 0", [](tessel::ScanPorts& c) { Deep(c, g.oneLength[0], &g.oneLengthIndex[0]); });
}
void BM_DeepOneLength1(benchmark::State& state) {
  Time(state, "deep one length 1", [](tessel::ScanPorts& c) { Deep(c, g.oneLength[1], &g.oneLengthIndex[1]); });
}
void BM_DeepHeaderLike0(benchmark::State& state) {
  Time(state, "deep header-like 0", [](tessel::ScanPorts& c) { Deep(c, g.headerLike[0], nullptr); });
}
void BM_DeepHeaderLike1(benchmark::State& state) {
  Time(state, "deep header-like 1", [](tessel::ScanPorts& c) { Deep(c, g.headerLike[1], nullptr); });
}
void BM_DeepOrdinary(benchmark::State& state) {
  Time(state, "deep ordinary", [](tessel::ScanPorts& c) { Deep(c, g.ordinary, nullptr); });
}

BENCHMARK(BM_DeepOneLength0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepOneLength1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepHeaderLike0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepHeaderLike1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepOrdinary)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepStoreAlone)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepIndexMatchingNothing)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UsualWalkSmallEntries)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepWalkSmallEntries)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawScanUnclosed)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepUnclosedSmall)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepUnclosedLarge)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void PrintRatio(const char* what, const std::string& name, const std::string& baseline, double target) {
  char targetText[32];
  std::snprintf(targetText, sizeof targetText, "%g", target);
  if (g_seconds.count(name) == 0 || g_seconds.count(baseline) == 0) return;
  const double ratio = g_seconds[name] / g_seconds[baseline], cpuRatio = g_cpu[name] / g_cpu[baseline];
  const std::string verdict = target <= 0       ? std::string("no target")
                              : ratio <= target ? "target <= " + std::string(targetText) + ": met"
                                                : "target <= " + std::string(targetText) + ": MISSED";
  std::printf("%s: %.3f s against %.3f s = %.2fx (%s); cpu %.3f s against %.3f s = %.2fx\n", what, g_seconds[name],
              g_seconds[baseline], ratio, verdict.c_str(), g_cpu[name], g_cpu[baseline], cpuRatio);
}

}  // namespace

int main(int argc, char** argv) {
  Build();
  BuildLinearShapes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\n");
  PrintRatio("deep scan, index of 100,000 entries matching nothing, vs the store alone", "deep nothing", "deep store",
             2);
  PrintRatio("deep walk of many small entries vs the usual walk", "deep tiny", "walk tiny", 3);
  PrintRatio("deep scan of unclosed multiparts (16 MiB) vs the raw scan", "deep unclosed 1", "raw unclosed", 0);
  PrintRatio("deep scan, messages of one length with deleted ones, twice as many vs once", "deep one length 1",
             "deep one length 0", 2.5);
  PrintRatio("deep scan of header-like body lines, 2 MiB vs 1 MiB", "deep header-like 1", "deep header-like 0", 2.5);
  PrintRatio("deep scan of header-like body lines vs ordinary mail, 2 MiB each", "deep header-like 1", "deep ordinary",
             10);
  if (g_seconds.count("deep unclosed 0") != 0 && g_seconds.count("deep unclosed 1") != 0) {
    const double bytes = static_cast<double>(g.unclosed[1].size()) / static_cast<double>(g.unclosed[0].size());
    const double perByte = g_seconds["deep unclosed 1"] / g_seconds["deep unclosed 0"] / bytes;
    const double cpuPerByte = g_cpu["deep unclosed 1"] / g_cpu["deep unclosed 0"] / bytes;
    std::printf(
        "deep scan of unclosed multiparts, time per byte at 16 MiB vs 4 MiB: %.2fx (target <= 2: %s); cpu %.2fx\n",
        perByte, perByte <= 2 ? "met" : "MISSED", cpuPerByte);
  }
  return 0;
}
