// The bounded reader, the block search over it, and the in-memory lists.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#include "engine/block_reader.h"
#include "engine/skipping_reader.h"
#include "tests/engine/scan_fixture.h"
#include "tests/support/faulty_reader.h"

namespace tessel::testing {
namespace {

TEST(SourceFile, ReadsOnlyBytesThatExist) {
  ScratchFolder folder;
  SourceFile file;
  EXPECT_FALSE(file.Open(folder.Path("missing")));
  EXPECT_FALSE(file.Open(folder.Path("")));  // the folder itself is no file
  ASSERT_TRUE(file.Open(folder.Write("f", "0123456789")));
  EXPECT_EQ(file.Size(), 10);
  char buffer[32] = {};
  EXPECT_EQ(file.ReadAt(7, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(file.ReadAt(10, buffer, 4), 0u);
  EXPECT_EQ(file.ReadAt(-1, buffer, 4), 0u);
  EXPECT_EQ(file.LastError(), 0);
  file.Close();
  EXPECT_EQ(file.ReadAt(0, buffer, 4), 0u);
  EXPECT_TRUE(FileExists(folder.Path("f")));
  EXPECT_FALSE(FileExists(folder.Path("")));
}

// The walk's reader of a store and the raw scan's read it on their helper
// threads at once: no read may take another's place in the file.
TEST(SourceFile, ReadsFromSeveralThreadsAtOnce) {
  ScratchFolder folder;
  std::string bytes(1 << 20, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + i / 251);
  SourceFile file;
  ASSERT_TRUE(file.Open(folder.Write("f", bytes)));
  std::atomic<int> wrong{0};
  auto reader = [&](std::size_t seed) {
    char buffer[61];
    for (std::size_t i = 0; i < 20000; ++i) {
      const std::size_t offset = (seed + i * 7919) % (bytes.size() - sizeof buffer);
      const std::size_t got = file.ReadAt(static_cast<std::int64_t>(offset), buffer, sizeof buffer);
      if (got != sizeof buffer || bytes.compare(offset, got, buffer, got) != 0) ++wrong;
    }
  };
  std::thread a(reader, 0), b(reader, 3001), c(reader, 5003);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST(BlockReader, FindsEveryOccurrenceAcrossBlockEdges) {
  std::string bytes(5000, '.');
  for (std::size_t at : {0u, 63u, 100u, 127u, 4984u}) bytes.replace(at, 4, "MARK");
  for (std::size_t block : {64u, 65u, 100u, 1000u, 8192u}) {
    MemoryReader memory(bytes, static_cast<std::int64_t>(bytes.size()));
    BlockReader reader(memory, block);
    std::vector<std::int64_t> found;
    for (std::int64_t at = reader.Find("MARK", 0, 1 << 20, nullptr); at >= 0;
         at = reader.Find("MARK", at + 1, 1 << 20, nullptr))
      found.push_back(at);
    EXPECT_EQ(found, (std::vector<std::int64_t>{0, 63, 100, 127, 4984})) << block;
    EXPECT_EQ(reader.Find("MARK", 101, 126, nullptr), BlockReader::kNone);
    EXPECT_EQ(reader.Find("MARK", 0, 4984, nullptr), 0);
    EXPECT_EQ(reader.Bytes(4990, 6000), std::string(10, '.'));
    EXPECT_EQ(reader.Peek(60, 70), "...MARK...");
  }
}

TEST(BlockReader, StopsWhenAskedBeforeReadingABlock) {
  MemoryReader memory(std::string(1000, '.') + "MARK", 1004);
  BlockReader reader(memory, 128);
  std::atomic<int> stop{1};
  EXPECT_EQ(reader.Find("MARK", 0, 2000, &stop), BlockReader::kStopped);
}

TEST(BlockReader, FileShorterThanItsSizeEndsTheSearch) {
  MemoryReader memory(std::string(300, '.'), 100000);
  BlockReader reader(memory, 64);
  EXPECT_EQ(reader.Find("MARK", 0, 100000, nullptr), BlockReader::kNone);
  EXPECT_EQ(reader.Size(), 300);
  EXPECT_EQ(reader.Bytes(250, 5000).size(), 50u);
}

TEST(SkippingReader, RetriesOnceThenHandsOutUnreadablePiecesAsNulBytes) {
  std::string bytes(3 * SkippingReader::kPiece + 100, 'b');
  // A read that fails once comes back whole on the second try: nothing is lost.
  FaultyReader once(bytes, 0, FaultyReader::Fault::kError, false);
  SkippingReader retried(once);
  std::string out(bytes.size(), '?');
  EXPECT_EQ(retried.ReadAt(0, out.data(), out.size()), bytes.size());
  EXPECT_EQ(out, bytes);
  EXPECT_TRUE(retried.Unreadable().empty());
  // A disk that fails from the second call on: the whole rest is lost, piece
  // by piece, noted as one range; a read at the end of the file stays short.
  FaultyReader failing(bytes, 1, FaultyReader::Fault::kError, true);
  SkippingReader skipping(failing);
  EXPECT_EQ(skipping.ReadAt(0, out.data(), 10), 10u);
  EXPECT_EQ(skipping.ReadAt(100, out.data(), out.size()), bytes.size() - 100);
  EXPECT_EQ(std::count(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(bytes.size() - 100), '\0'),
            static_cast<std::ptrdiff_t>(bytes.size() - 100));
  EXPECT_EQ(skipping.Unreadable(), (std::vector<UnreadableRange>{{100, static_cast<std::int64_t>(bytes.size()), EIO}}));
  EXPECT_TRUE(skipping.IsUnreadable(0, 101));
  EXPECT_FALSE(skipping.IsUnreadable(0, 100));
  EXPECT_EQ(skipping.ReadAt(static_cast<std::int64_t>(bytes.size()), out.data(), 10), 0u);
}

// The bytes a bad sector cuts off are noted from the first one not read, not
// from its piece's start; ranges noted in any order join where they meet.
TEST(SkippingReader, NotesWhatABadSectorCutsOffAndJoinsRangesThatMeet) {
  constexpr std::int64_t kPiece = SkippingReader::kPiece;
  std::string bytes(4 * kPiece, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  BadSectorReader disk(bytes, {{1000, 9000}, {13000, 14000}});
  SkippingReader skipping(disk);
  std::string out(bytes.size(), '?');
  const auto read = [&](std::int64_t offset, std::int64_t count) {
    return skipping.ReadAt(offset, out.data() + offset, static_cast<std::size_t>(count));
  };
  // The third piece fails at once; the fourth hands out 712 bytes first.
  EXPECT_EQ(read(2 * kPiece, 2 * kPiece), static_cast<std::size_t>(2 * kPiece));
  EXPECT_EQ(skipping.Unreadable(),
            (std::vector<UnreadableRange>{{2 * kPiece, 3 * kPiece, EIO}, {13000, 4 * kPiece, EIO}}));
  // The first piece, then the second, which meets ranges on both sides.
  EXPECT_EQ(read(0, kPiece), static_cast<std::size_t>(kPiece));
  EXPECT_EQ(read(kPiece, kPiece), static_cast<std::size_t>(kPiece));
  const std::vector<UnreadableRange> noted{{1000, 3 * kPiece, EIO}, {13000, 4 * kPiece, EIO}};
  EXPECT_EQ(skipping.Unreadable(), noted);
  std::string expected = bytes;
  for (const UnreadableRange& range : noted) {
    std::fill(expected.begin() + range.begin, expected.begin() + range.end, '\0');
  }
  EXPECT_TRUE(out == expected) << "bytes read are handed out, and only unreadable ones as NUL";
}

TEST(CellRow, CellsSetInAnyOrderKeepTheirNeighbours) {
  CellRow row{"a"};
  row.Set(3, "d");
  EXPECT_EQ(RowCells(row), (std::vector<std::string>{"a", "", "", "d"}));
  // A cell set again moves the cells after it, longer or shorter.
  row.Set(1, "bbb");
  row.Set(0, "");
  row.Set(1, "b");
  EXPECT_EQ(RowCells(row), (std::vector<std::string>{"", "b", "", "d"}));
  EXPECT_EQ(row[9], "");
}

}  // namespace
}  // namespace tessel::testing
