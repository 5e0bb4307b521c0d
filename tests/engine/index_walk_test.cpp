// The scan through an index: signature, entries, window edges, damaged entries
// (which raw-scan the store once), the length field never read as a marker, and
// a stop request kept across the raw scan a damaged entry starts.
#include "engine/skipping_reader.h"
#include "engine/store_scans.h"
#include "tests/engine/scan_fixture.h"
#include "tests/support/faulty_reader.h"

namespace tessel::testing {
namespace {

const std::string kDate = "Mon, 7 Dec 2026 08:00:00 +0000";
const std::string kTo = "<reader@example.org";

struct IndexScan {
  ScratchFolder folder;
  EngineRun run;
  std::string indexPath;
  recovery::ScanResult result;

  IndexScan(const std::string& store, const std::string& index) {
    folder.Write("mail.imm", store);
    indexPath = folder.Write("mail.imh", index);
    result = run.Scan(ResolveChosenFile(indexPath));
  }
  std::vector<std::string> SubjectsAndOffsets() const {
    std::vector<std::string> found;
    for (const auto& row : run.rows()) found.push_back(row[kSubjectCell] + "@" + row[recovery::kOffsetCell]);
    return found;
  }
};

// Three messages back to back, and their lengths (each well below the store's
// size minus 300, so that each is a plausible length).
struct ThreeMessages {
  const std::string body = std::string(300, '.') + "\r\n";
  std::string a = Message("a@x.org", "A", body), b = Message("b@x.org", "B", body), c = Message("c@x.org", "C", body);
  std::string Store() const { return a + b + c; }
  std::uint32_t Length(const std::string& m) const { return static_cast<std::uint32_t>(m.size()); }
};

TEST(IndexWalk, ListsEachEntryAtTheSumOfTheLengthsBeforeIt) {
  ThreeMessages m;
  IndexScan scan(m.Store(), IndexHeader() + IndexEntry(m.Length(m.a)) + "junk" + IndexEntry(m.Length(m.b)) +
                                IndexEntry(m.Length(m.c)) + "tail");
  const std::int64_t ab = m.a.size() + m.b.size();
  EXPECT_EQ(scan.run.rows(), (Rows{MessageRow("a@x.org", "A", kTo, kDate, 0, m.a.size()),
                                   MessageRow("b@x.org", "B", kTo, kDate, m.a.size(), m.b.size()),
                                   MessageRow("c@x.org", "C", kTo, kDate, ab, m.c.size())}));
  EXPECT_EQ(scan.result.storePath, scan.folder.Path("mail.imm"));
  EXPECT_EQ(scan.result.rows, 3);
}

TEST(IndexWalk, SignatureIsRejectedOnlyWhenEveryByteDiffers) {
  ThreeMessages m;
  const std::string entries = IndexEntry(m.Length(m.a));
  std::string oneMatch = IndexHeader();
  for (int i = 0; i < 8; ++i) oneMatch[i] = static_cast<char>(i == 5 ? oneMatch[i] : oneMatch[i] ^ 0x5A);
  IndexScan accepted(m.Store(), oneMatch + entries);
  EXPECT_EQ(accepted.SubjectsAndOffsets(), (std::vector<std::string>{"A@0"}));

  std::string noMatch = oneMatch;
  noMatch[5] = static_cast<char>(noMatch[5] ^ 0x5A);
  IndexScan rejected(m.Store(), noMatch + entries);  // raw-scans the store instead
  EXPECT_EQ(rejected.run.rows().size(), 3u);
}

TEST(IndexWalk, ShortIndexComparesTheBytesItHas) {
  ThreeMessages m;
  IndexScan empty(m.Store(), "");
  EXPECT_EQ(empty.run.rows().size(), 3u);  // rejected: raw scan
  IndexScan threeBytesOneMatch(m.Store(), "\x01\x23\x01");
  EXPECT_TRUE(threeBytesOneMatch.run.rows().empty());  // accepted, and holds no entry
  IndexScan threeBytesNoMatch(m.Store(), "\x01\x01\x01");
  EXPECT_EQ(threeBytesNoMatch.run.rows().size(), 3u);
}

TEST(IndexWalk, IndexWithoutItsStoreListsNothing) {
  ScratchFolder folder;
  EngineRun run;
  const recovery::ScanResult result =
      run.Scan(ResolveChosenFile(folder.Write("mail.imh", IndexHeader() + IndexEntry(500))));
  EXPECT_TRUE(run.rows().empty());
  EXPECT_EQ(result.end, recovery::ScanEnd::kStoreNotOpened);
}

TEST(IndexWalk, IndexInAFolderWithADotFindsItsStore) {
  ScratchFolder folder;
  ThreeMessages m;
  std::filesystem::create_directories(folder.Path("mail.box"));
  folder.Write("mail.box/Inbox.imm", m.Store());
  EngineRun run;
  run.Scan(ResolveChosenFile(folder.Write("mail.box/Inbox.imh", IndexHeader() + IndexEntry(m.Length(m.a)))));
  EXPECT_EQ(run.rows().size(), 1u);
}

TEST(IndexWalk, MarkerAstrideOrAtTheEndOfAWindowIsFound) {
  ThreeMessages m;
  // Window 0 tests positions 0 to 1995; the next starts at 1992.
  for (std::size_t at : {1990u, 1995u, 1996u, 1997u, 1999u, 3980u, 3987u, 3988u}) {
    std::string index = IndexHeader() + std::string(at - 12, 'j') + IndexEntry(m.Length(m.a)) + "more";
    IndexScan scan(m.Store(), index);
    EXPECT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"A@0"})) << at;
  }
}

TEST(IndexWalk, MarkerWhoseLengthRunsPastTheEndEndsTheWalk) {
  ThreeMessages m;
  for (std::size_t cut = 1; cut <= 4; ++cut) {
    std::string index = IndexHeader() + IndexEntry(m.Length(m.a)) + IndexEntry(m.Length(m.b));
    index.resize(index.size() - cut);
    IndexScan scan(m.Store(), index);
    EXPECT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"A@0"})) << cut;
  }
}

// A length whose bytes are 00 00 03 00 (196608) is no marker.
TEST(IndexWalk, LengthThatLooksLikeAMarkerIsNotSearchedAgain) {
  std::string big = Message("big@x.org", "Big");
  big.resize(196608, 'b');
  // Long enough that 196608 is below the store's size minus 300: a plausible length.
  const std::string small = Message("s@x.org", "Small", std::string(400, '.') + "\r\n");
  IndexScan scan(big + small,
                 IndexHeader() + IndexEntry(196608) + IndexEntry(static_cast<std::uint32_t>(small.size())));
  EXPECT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"Big@0", "Small@196608"}));
  ASSERT_EQ(scan.run.rows().size(), 2u);
  EXPECT_EQ(scan.run.rows()[1][recovery::kLengthCell], std::to_string(small.size()));  // not the 196608 read again
}

// Damaged entries raw-scan the store once; the walk goes on after each. A
// record found both ways is listed once, where it was found first.
TEST(IndexWalk, DamagedEntriesRawScanTheStoreOnce) {
  ThreeMessages m;
  const std::string gap(2000, 'j');  // later entries in later windows
  IndexScan scan(m.Store(), IndexHeader() + IndexEntry(m.Length(m.a)) + IndexEntry(0) + gap + IndexEntry(0xFFFFFFFF) +
                                gap + IndexEntry(0) + gap + IndexEntry(m.Length(m.b)));
  const std::string b = std::to_string(m.a.size());
  const std::string c = std::to_string(m.a.size() + m.b.size());
  EXPECT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"A@0", "B@" + b, "C@" + c}));
  EXPECT_EQ(scan.result.repeats, 2);
}

// Skipping the rest of a rejected entry's window lost the entries standing
// there, and with them their lengths: every later entry got a wrong offset.
TEST(IndexWalk, EntriesAfterARejectedOneInTheSameWindowKeepTheirOffsets) {
  ThreeMessages m;
  const std::string b = std::to_string(m.a.size());
  const std::string c = std::to_string(m.a.size() + m.b.size());
  // Right after the rejected entry, a little further on, and astride the edge
  // of the window that held it (which tests positions up to 12 + 1995).
  for (std::size_t filler : {0u, 5u, 1987u, 1988u, 1990u}) {
    const std::string index = IndexHeader() + IndexEntry(0) + std::string(filler, 'j') + IndexEntry(m.Length(m.a)) +
                              IndexEntry(0xFFFFFFFF) + IndexEntry(m.Length(m.b)) + IndexEntry(m.Length(m.c));
    IndexScan scan(m.Store(), index);
    // The raw scan's rows; the entries' records, found again, are left out.
    EXPECT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"A@0", "B@" + b, "C@" + c})) << filler;
    EXPECT_EQ(scan.result.repeats, 3) << filler;
    // The walk reports where it goes on: just past each entry's length field.
    std::vector<std::int64_t> positions;
    for (const auto& call : scan.run.progress.calls)
      if (!call.isRange) positions.push_back(call.value);
    EXPECT_EQ(positions.at(3), 20) << filler;  // the rejected entry at 12, after the raw rows
  }
}

// A stretch of the index that cannot be read may have held entries: the walk
// lists the entries before it, searches the store as after a rejected entry,
// and places no entry after it by lengths summed across it. Nor is an index
// whose signature cannot be read taken for a wrong one.
TEST(IndexWalk, AnUnreadableStretchOfTheIndexIsARejectedEntry) {
  ThreeMessages m;
  const std::int64_t a = m.Length(m.a), b = m.Length(m.b), c = m.Length(m.c);
  // Entries at 12, 1000 and 5000: a bad sector loses the rest of its 4 KiB piece.
  std::string index = IndexHeader() + IndexEntry(m.Length(m.a));
  index.resize(1000, 'j');
  index += IndexEntry(m.Length(m.b));
  index.resize(5000, 'j');
  index += IndexEntry(m.Length(m.c));
  using Row = std::pair<MessageRecord, Origin>;
  const auto walk = [&](std::int64_t badFrom, std::size_t blockSize) {
    BadSectorReader disk(index, {{badFrom, badFrom + 512}});
    SkippingReader indexReader(disk);
    MemoryReader store(m.Store(), a + b + c);
    EngineRun run;
    if (!IndexSignatureAccepted(indexReader)) return std::vector<Row>();
    WalkIndex(run.ports, indexReader, store, blockSize);
    std::vector<Row> rows;
    for (const tessel::MessageRow& row : run.list.Messages()) rows.emplace_back(row.record, row.origin);
    return rows;
  };
  const std::vector<Row> searched{{{0, a}, Origin::kStore}, {{a, b}, Origin::kStore}, {{a + b, c}, Origin::kStore}};
  for (const std::size_t blockSize : {BlockReader::kSmallestBlock, std::size_t{700}, BlockReader::kDefaultBlockSize}) {
    std::vector<Row> afterA{{{0, a}, Origin::kIndex}};
    afterA.insert(afterA.end(), searched.begin(), searched.end());
    EXPECT_EQ(walk(1000, blockSize), afterA) << blockSize;
    EXPECT_EQ(walk(0, blockSize), searched) << blockSize;
    std::vector<Row> afterB{{{0, a}, Origin::kIndex}, {{a, b}, Origin::kIndex}};
    afterB.insert(afterB.end(), searched.begin(), searched.end());
    EXPECT_EQ(walk(5000, blockSize), afterB) << blockSize;  // c's entry lost: the store is searched all the same
  }
}

TEST(IndexWalk, ImplausibleLengthsAndSmallStores) {
  ThreeMessages m;
  const std::uint32_t size = static_cast<std::uint32_t>(m.Store().size());
  IndexScan limit(m.Store(), IndexHeader() + IndexEntry(size - 300));
  EXPECT_EQ(limit.run.rows().size(), 3u);  // rejected: raw rows only
  IndexScan below(m.Store(), IndexHeader() + IndexEntry(size - 301));
  EXPECT_EQ(below.SubjectsAndOffsets(), (std::vector<std::string>{"A@0"}));

  const std::string tiny = Message("t@x.org", "Tiny", std::string(300, '.')).substr(0, 300);
  IndexScan small(tiny, IndexHeader() + IndexEntry(10));
  EXPECT_EQ(small.run.rows().size(), 1u);  // every length rejected; the raw scan finds the one message
  EXPECT_EQ(small.run.rows()[0][recovery::kLengthCell], "300");
}

TEST(IsPlausibleLength, BelowTheStoreSizeMinus300AndNeverWithoutAStore) {
  EXPECT_FALSE(IsPlausibleLength(0, 1000));
  EXPECT_TRUE(IsPlausibleLength(1, 1000));
  EXPECT_TRUE(IsPlausibleLength(699, 1000));
  EXPECT_FALSE(IsPlausibleLength(700, 1000));
  EXPECT_FALSE(IsPlausibleLength(-5, 1000));
  const SourceFile notOpen;
  EXPECT_FALSE(IsPlausibleLength(1, notOpen.Size()));
}

// Only a record that starts at or past the store's end is dropped. A message
// whose From value ends at the 2000-byte window (an empty From cell) and whose
// To has a quoted display name (an empty To cell) is real mail and stays.
TEST(IndexWalk, OnlyAnEntryBeyondTheStoreIsDropped) {
  ThreeMessages m;
  std::string cut = "Subject: S\r\nTo: \"Q\" <q@x.org>\r\nX-Pad: ";
  cut += std::string(2000 - cut.size() - 8, 'p') + "\r\nFrom:";  // its value starts at byte 2000
  cut += " Ann <ann@x.org>\r\n\r\nbody\r\n";
  const std::string store = m.Store() + cut;
  const std::uint32_t all = static_cast<std::uint32_t>(m.Store().size());
  IndexScan scan(store,
                 IndexHeader() + IndexEntry(all) + IndexEntry(static_cast<std::uint32_t>(cut.size())) + IndexEntry(10));
  ASSERT_EQ(scan.SubjectsAndOffsets(), (std::vector<std::string>{"A@0", "S@" + std::to_string(all)}));
  EXPECT_EQ(scan.run.rows()[1][kFromCell], "");
  EXPECT_EQ(scan.run.rows()[1][kToCell], "");
}

TEST(IndexWalk, RecordRunningPastTheStoreUsesTheBytesPresent) {
  ThreeMessages m;
  const std::string store = m.Store() + std::string(400, 'p');
  const std::uint32_t c = static_cast<std::uint32_t>(m.a.size() + m.b.size());
  IndexScan scan(store, IndexHeader() + IndexEntry(c) + IndexEntry(static_cast<std::uint32_t>(store.size() - 301)));
  ASSERT_EQ(scan.run.rows().size(), 2u);
  EXPECT_EQ(scan.run.rows()[1][kSubjectCell], "C");
  const MessageRecord record = scan.run.record(1);
  EXPECT_EQ(record.length, static_cast<std::int64_t>(store.size()) - 301);
  EXPECT_EQ(CopiedRecord(scan.result.storePath, record.offset, record.length), store.substr(c));
}

TEST(IndexWalk, IndexWithoutEntriesListsNothing) {
  ThreeMessages m;
  IndexScan scan(m.Store(), IndexHeader() + std::string(5000, '\0'));
  EXPECT_TRUE(scan.run.rows().empty());
}

TEST(IndexWalk, ProgressRangeReturnsToTheIndexAfterARawScan) {
  ThreeMessages m;
  const std::string index = IndexHeader() + IndexEntry(0) + std::string(3000, 'j') + IndexEntry(m.Length(m.a));
  IndexScan scan(m.Store(), index);
  std::vector<std::int64_t> ranges;
  for (const auto& call : scan.run.progress.calls)
    if (call.isRange) ranges.push_back(call.value);
  EXPECT_EQ(ranges, (std::vector<std::int64_t>{static_cast<std::int64_t>(index.size()),
                                               static_cast<std::int64_t>(m.Store().size()),
                                               static_cast<std::int64_t>(index.size())}));
}

// A reader of the index that sets the stop request as it is read, as a Stop
// pressed in the middle of a window would.
class StopOnRead final : public ByteReader {
 public:
  StopOnRead(ByteReader& inner, std::atomic<int>& stop) : inner_(inner), stop_(stop) {}
  std::int64_t Size() const override { return inner_.Size(); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    stop_.store(1);
    return inner_.ReadAt(offset, buffer, count);
  }
  int LastError() const override { return inner_.LastError(); }

 private:
  ByteReader& inner_;
  std::atomic<int>& stop_;
};

// A Stop pressed during the walk is not forgotten when a damaged entry starts
// the raw scan.
TEST(IndexWalk, StopDuringTheWalkStopsTheRawScanItStarts) {
  ThreeMessages m;
  ScratchFolder folder;
  EngineRun run;
  SourceFile store, index;
  ASSERT_TRUE(store.Open(folder.Write("mail.imm", m.Store())));
  ASSERT_TRUE(index.Open(folder.Write("mail.imh", IndexHeader() + IndexEntry(0) + IndexEntry(m.Length(m.a)))));
  StopOnRead stopping(index, run.stopRequested);
  WalkIndex(run.ports, stopping, store);
  EXPECT_TRUE(run.rows().empty());
  EXPECT_EQ(run.stopRequested.load(), 1);
}

TEST(IndexWalk, ScanClearsAStopLeftFromBefore) {
  ThreeMessages m;
  ScratchFolder folder;
  EngineRun run;
  folder.Write("mail.imm", m.Store());
  run.stopRequested = 1;
  run.Scan(ResolveChosenFile(folder.Write("mail.imh", IndexHeader() + IndexEntry(m.Length(m.a)))));
  EXPECT_EQ(run.rows().size(), 1u);
}

// Offsets past 2 GiB, in the cells and in the reads (a sparse store).
TEST(IndexWalk, OffsetsBeyond2GiBStayExact) {
  ScratchFolder folder;
  const std::uint32_t first = 0x90000000u;  // 2415919104 bytes
  const std::string message = Message("far@x.org", "Far");
  const std::string storePath = folder.Path("big.imm");
  {
    std::ofstream out(storePath, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(first));
    out.write(message.data(), static_cast<std::streamsize>(message.size()));
    out.seekp(static_cast<std::streamoff>(first) + 4096);
    out.put('\0');
  }
  EngineRun run;
  run.Scan(ResolveChosenFile(folder.Write(
      "big.imh", IndexHeader() + IndexEntry(first) + IndexEntry(static_cast<std::uint32_t>(message.size())))));
  ASSERT_EQ(run.rows().size(), 2u);
  EXPECT_EQ(run.rows()[1], MessageRow("far@x.org", "Far", kTo, kDate, first, message.size()));
  const MessageRecord record = run.record(1);
  EXPECT_EQ(record.offset, 2415919104LL);
  EXPECT_EQ(CopiedRecord(folder.Path("big.imm"), record.offset, record.length), message);
}

}  // namespace
}  // namespace tessel::testing
