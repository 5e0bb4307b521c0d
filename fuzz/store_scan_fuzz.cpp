// The raw scan and the index walk against the plain window model
// (tests/engine/window_reference.h): any store and index, at a block size and
// with or without read-ahead as the input's first bytes choose, must list the
// model's very rows.
#include <cstdlib>
#include <string>

#include "engine/store_scans.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "tests/engine/scan_fixture.h"
#include "tests/engine/window_reference.h"
#include "tests/support/scratch_folder.h"

namespace tessel::fuzz {
namespace {

// The model reads files: one folder per process, its files rewritten each run
// and removed at exit.
std::string Write(const std::string& name, std::string_view bytes) {
  static const testing::ScratchFolder folder;
  return folder.Write(name, std::string(bytes));
}

std::size_t BlockSize(std::uint8_t choice, std::uint16_t odd) {
  switch (choice % 4) {
    case 0:
      return BlockReader::kSmallestBlock + odd % 4000;  // edges anywhere
    case 1:
      return BlockReader::kSmallestBlockReadAhead;
    case 2:
      return BlockReader::kDefaultBlockSize;
    default:
      return BlockReader::kSmallestBlock;
  }
}

}  // namespace
}  // namespace tessel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  const auto odd = static_cast<std::uint16_t>(input.Byte() | input.Byte() << 8);
  const auto split = static_cast<std::uint16_t>(input.Byte() | input.Byte() << 8);
  const std::size_t blockSize = fuzz::BlockSize(flags, odd);
  const bool readAhead = (flags & 4) != 0;
  const std::string_view rest = input.Rest();
  // Bit 3: the rest is a store only; otherwise a store, then an index (given
  // the accepted index header unless bit 4 is set).
  const bool storeOnly = (flags & 8) != 0;
  const std::string store(storeOnly ? rest : rest.substr(0, split));
  std::string index = (flags & 16) != 0 ? "" : mailfiles::IndexHeader();
  if (!storeOnly) index += rest.substr(std::min<std::size_t>(split, rest.size()));

  const std::string storePath = fuzz::Write("fuzz.imm", store);
  {
    tessel::testing::EngineRun run;
    tessel::testing::MemoryReader reader(store, static_cast<std::int64_t>(store.size()), readAhead);
    RawScanStore(run.ports, reader, blockSize);
    FUZZ_CHECK(run.rows() == reference::RawScan(storePath));
  }
  if (storeOnly) return 0;
  const std::string indexPath = fuzz::Write("fuzz.imh", index);
  const tessel::testing::Rows expected = reference::ScanMessageStore(indexPath);
  if (index.compare(0, 8, mailfiles::IndexHeader(), 0, 8) == 0) {
    tessel::testing::EngineRun run;
    tessel::testing::MemoryReader indexReader(index, static_cast<std::int64_t>(index.size()), readAhead);
    tessel::testing::MemoryReader storeReader(store, static_cast<std::int64_t>(store.size()), readAhead);
    WalkIndex(run.ports, indexReader, storeReader, blockSize);
    FUZZ_CHECK(run.rows() == expected);
  } else {
    tessel::testing::EngineRun run;
    run.Scan(ResolveChosenFile(indexPath));
    FUZZ_CHECK(run.rows() == reference::EachRecordOnce(expected));
  }
  return 0;
}
