// The deep scan over any store and index: whatever the bytes, its rows lie in
// the store in store order and tile it (every byte in exactly one row), a row
// marked "index" is as long as an index entry says, and the scan ends.
#include <string>

#include "engine/deep_scan.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "tests/engine/scan_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  const auto split = static_cast<std::uint16_t>(input.Byte() | input.Byte() << 8);
  // Block edges anywhere, or the scan's own block size with its read-ahead.
  const std::size_t blockSize =
      (flags & 1) != 0 ? BlockReader::kDefaultBlockSize : BlockReader::kSmallestBlock + (flags >> 2) * 13;
  const std::string_view rest = input.Rest();
  // Bit 1: the rest is a store only; otherwise a store, then an index's entries.
  const bool storeOnly = (flags & 2) != 0;
  const std::string store(storeOnly ? rest : rest.substr(0, split));
  const std::string index =
      storeOnly ? std::string()
                : mailfiles::IndexHeader() + std::string(rest.substr(std::min<std::size_t>(split, rest.size())));

  tessel::testing::EngineRun run;
  tessel::testing::MemoryReader storeReader(store, static_cast<std::int64_t>(store.size()), (flags & 1) != 0);
  tessel::testing::MemoryReader indexReader(index, static_cast<std::int64_t>(index.size()));
  DeepScan(run.ports, storeReader, storeOnly ? nullptr : &indexReader, blockSize);
  const std::string fault =
      tessel::testing::DeepRowsFault(run.list.Messages(), static_cast<std::int64_t>(store.size()), index);
  if (!fault.empty()) std::fprintf(stderr, "%s\n", fault.c_str());
  FUZZ_CHECK(fault.empty());
  return 0;
}
