// How fast and in how much memory `tessel scan --format tsv` lists the contacts
// of a 256 MiB address book, against reading the same file in 1 MiB chunks in
// the same run. Two books of the same size: one shaped like a real one (short
// fields padded with NUL bytes) and one without any NUL byte, as a wrong or
// damaged file gives, where every field is full and the rows are largest.
//
// The books are generated on first use in bench-data/ beside this program.
// Environment: TESSEL_BENCH_BOOK_BYTES (book size, default 256 MiB), TESSEL_BENCH_DIR.
//
// Targets: within 3x the read time; peak memory under 1.5x the book's size.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/store_data.h"
#include "engine/engine.h"
#include "recovery/scan.h"
#include "tests/support/mail_files.h"

namespace bench = tessel::bench;
namespace mailfiles = tessel::mailfiles;

namespace {

constexpr size_t kChunk = 1 << 20;

struct Book {
  const char* name;  // also the results' key
  std::string path;
};
Book g_books[] = {{"shaped", ""}, {"no NUL", ""}};

// Wall time is what the targets speak of; CPU time is shown beside it.
std::map<std::string, bench::Measured> g_results;

// A contact as people keep them: names, an address, a phone, now and then a note.
std::string ShapedContact(bench::Lcg& random, uint32_t number) {
  static const char* const kFirst[] = {"Anna", "Tom", "Maria", "Lukas", "Eva", "Jonas", "Sofia", "Paul"};
  static const char* const kLast[] = {"Berger", "Hale", "Lopez", "Wagner", "Novak", "Meyer", "Rossi", "Olsen"};
  const std::string first = kFirst[random.Below(8)], last = kLast[random.Below(8)];
  std::vector<mailfiles::ContactField> fields = {
      {1, first},
      {3, last},
      {4, first + " " + last},
      {5, first + "." + last + std::to_string(number) + "@example.org"},
      {8, "+43 316 555 " + std::to_string(1000 + random.Below(9000))},
      {9, std::to_string(1 + random.Below(90)) + " " + bench::Sentence(random, 8) + " Street"},
      {10, "Graz"},
      {12, std::to_string(8000 + random.Below(999))},
      {13, "Austria"},
  };
  if (random.Below(3) == 0) fields.push_back({7, bench::Sentence(random, 40 + random.Below(300))});
  if (random.Below(2) == 0) fields.push_back({18, bench::Sentence(random, 12) + " Ltd"});
  return mailfiles::ContactRecord(fields);
}

// Printable bytes only: every field is full and its text has no NUL to end it.
std::string NoNulContact(bench::Lcg& random) {
  std::string record(mailfiles::kContactRecordSize, ' ');
  for (char& c : record) c = static_cast<char>('!' + random.Below(94));
  return record;
}

// Writes the book unless it is there from an earlier run; false on failure.
bool EnsureBook(const std::string& path, int64_t bytes, bool shaped) {
  if (bench::FileSize(path) == bytes) return true;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  bench::Lcg random;
  std::string buffer(mailfiles::kAddressBookHeaderSize, '\x01');
  int64_t written = 0;
  bool ok = true;
  for (uint32_t number = 0; ok && written < bytes; ++number) {
    buffer += shaped ? ShapedContact(random, number) : NoNulContact(random);
    if (buffer.size() >= (8u << 20) || written + static_cast<int64_t>(buffer.size()) >= bytes) {
      // The last record is cut where the size ends, as a torn file's is.
      buffer.resize(std::min<int64_t>(buffer.size(), bytes - written));
      ok = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
      written += static_cast<int64_t>(buffer.size());
      buffer.clear();
    }
  }
  return std::fclose(out) == 0 && ok;
}

// The baseline: every byte of the file read once, 1 MiB at a time.
int64_t ReadWhole(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  std::vector<char> buffer(kChunk);
  int64_t total = 0;
  ssize_t got;
  while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) total += got;
  ::close(fd);
  return total;
}

void BM_ReadBook(benchmark::State& state) {
  const Book& book = g_books[state.range(0)];
  for (auto _ : state) {
    struct rusage before {
    }, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ReadWhole(book.path));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::getrusage(RUSAGE_SELF, &after);
    state.SetIterationTime(seconds);
    g_results[std::string("read ") + book.name].Add(seconds, bench::CpuSeconds(after) - bench::CpuSeconds(before), 0);
  }
  state.SetLabel(book.name);
  state.SetBytesProcessed(state.iterations() * bench::FileSize(book.path));
}

void BM_TesselScanBook(benchmark::State& state) {
  const Book& book = g_books[state.range(0)];
  bench::ChildRun run;
  for (auto _ : state) {
    run = bench::RunChild({TESSEL_BINARY, "scan", "--format", "tsv", book.path}, false);
    state.SetIterationTime(run.seconds);
    g_results[book.name].Add(run.seconds, run.cpuSeconds, run.peakKiB);
  }
  if (run.exitCode != 0) state.SkipWithError("tessel failed");
  state.SetLabel(book.name);
  state.counters["peak_MiB"] = run.peakKiB / 1024.0;
  state.SetBytesProcessed(state.iterations() * bench::FileSize(book.path));
}

// The engine alone: the walk into rows kept in memory, as the command line
// keeps them, without printing them.
void BM_WalkBook(benchmark::State& state) {
  const Book& book = g_books[state.range(0)];
  size_t rows = 0;
  for (auto _ : state) {
    struct rusage before {
    }, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    {
      std::atomic<int> stop{0};
      tessel::MemoryRows list;
      tessel::MemoryProgressBar progress;
      tessel::recovery::RunScan(tessel::ResolveChosenFile(book.path), tessel::ScanMode::kAddressBook, stop, list,
                                progress);
      rows = list.Contacts().size();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::getrusage(RUSAGE_SELF, &after);
    state.SetIterationTime(seconds);
    g_results[std::string("walk ") + book.name].Add(seconds, bench::CpuSeconds(after) - bench::CpuSeconds(before), 0);
  }
  state.SetLabel(book.name);
  state.counters["rows"] = static_cast<double>(rows);
  state.SetBytesProcessed(state.iterations() * bench::FileSize(book.path));
}

BENCHMARK(BM_ReadBook)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TesselScanBook)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
// After the children: a child forked from a process that held the rows would
// count them in its peak.
BENCHMARK(BM_WalkBook)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void PrintRatios() {
  for (const Book& book : g_books) {
    const std::string read = std::string("read ") + book.name, walk = std::string("walk ") + book.name;
    if (g_results.count(read) == 0) continue;
    const bench::Measured& baseline = g_results[read];
    const double mib = bench::FileSize(book.path) / 1048576.0;
    std::printf("%s book of %.0f MiB: reading it %.3f s (cpu %.3f s)\n", book.name, mib, baseline.seconds,
                baseline.cpuSeconds);
    const auto ratios = [&](const char* what, const bench::Measured& m) {
      const double toRead = m.seconds / baseline.seconds;
      std::printf("  %s: %.3f s = %.2fx reading it (target <= 3: %s); cpu %.3f s = %.2fx", what, m.seconds, toRead,
                  toRead <= 3 ? "met" : "MISSED", m.cpuSeconds, m.cpuSeconds / baseline.cpuSeconds);
    };
    if (g_results.count(walk) != 0) {
      ratios("the walk into rows in memory", g_results[walk]);
      std::printf("\n");
    }
    if (g_results.count(book.name) != 0) {
      const bench::Measured& m = g_results[book.name];
      const double toSize = m.peakKiB / 1024.0 / mib;
      ratios("tessel scan --format tsv", m);
      std::printf("; peak %.1f MiB = %.2fx its size (target < 1.5: %s)\n", m.peakKiB / 1024.0, toSize,
                  toSize < 1.5 ? "met" : "MISSED");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("TESSEL_BENCH_DIR");
  const std::string data = folder != nullptr ? folder : bench::ProgramFolder(argv[0]) + "/bench-data";
  const char* bytes = std::getenv("TESSEL_BENCH_BOOK_BYTES");
  const int64_t size = bytes != nullptr ? std::atoll(bytes) : (int64_t{256} << 20);
  ::mkdir(data.c_str(), 0755);
  g_books[0].path = data + "/Bench.imb";
  g_books[1].path = data + "/BenchNoNul.imb";
  for (int i = 0; i < 2; ++i) {
    std::fprintf(stderr, "address book benchmark: preparing %lld bytes in %s\n", static_cast<long long>(size),
                 g_books[i].path.c_str());
    if (!EnsureBook(g_books[i].path, size, i == 0)) {
      std::fprintf(stderr, "address book benchmark: cannot write %s\n", g_books[i].path.c_str());
      return 1;
    }
    ReadWhole(g_books[i].path);  // into the page cache before timing
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintRatios();
  return 0;
}
