// The raw scan of a store: boundaries, window edges, header blocks, stop.
#include "engine/store_scans.h"
#include "tests/engine/scan_fixture.h"

namespace tessel::testing {
namespace {

const std::string kBoundary = "MIME-Version: 1.";

// Scans a store written into a scratch folder, through the public entry point.
struct StoreScan {
  ScratchFolder folder;
  EngineRun run;
  std::string path;
  recovery::ScanResult result;

  explicit StoreScan(const std::string& store, const std::string& name = "mail.imm") {
    path = folder.Write(name, store);
    result = run.Scan(ResolveChosenFile(path));
  }
};

// A reader that sets the stop request once a read reaches `stopAt`.
class StoppingReader final : public ByteReader {
 public:
  StoppingReader(ByteReader& inner, std::int64_t stopAt, std::atomic<int>& stop)
      : inner_(inner), stopAt_(stopAt), stop_(stop) {}
  std::int64_t Size() const override { return inner_.Size(); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (offset + static_cast<std::int64_t>(count) > stopAt_) stop_.store(1);
    return inner_.ReadAt(offset, buffer, count);
  }
  int LastError() const override { return inner_.LastError(); }

 private:
  ByteReader& inner_;
  std::int64_t stopAt_;
  std::atomic<int>& stop_;
};

TEST(RawScan, StoreWithoutBoundaryListsNothing) {
  StoreScan scan("From: a@b.c\r\nSubject: no boundary here\r\n\r\nMIME-Version 1.0\r\n");
  EXPECT_TRUE(scan.run.rows().empty());
}

TEST(RawScan, OneBoundaryOpensAMessageThatRunsToTheEnd) {
  const std::string store = "leftover body\r\n\r\n" + Message("Ann <ann@x.org>", "Hi");
  StoreScan scan(store);
  EXPECT_EQ(scan.run.rows(),
            Rows{MessageRow("Ann <ann@x.org>", "Hi", "<reader@example.org", "Mon, 7 Dec 2026 08:00:00 +0000", 17,
                            static_cast<std::int64_t>(store.size()) - 17)});
  EXPECT_EQ(scan.result.storePath, scan.path);
  EXPECT_EQ(scan.result.end, recovery::ScanEnd::kComplete);
  EXPECT_EQ(scan.result.rows, 1);
}

TEST(RawScan, StoreChosenByAnyCaseOfItsExtension) {
  StoreScan upper(Message("a@b.c", "Upper"), "MAIL.IMM");
  ASSERT_EQ(upper.run.rows().size(), 1u);
  StoreScan mixed(Message("a@b.c", "Mixed"), "Mail.iMm");
  ASSERT_EQ(mixed.run.rows().size(), 1u);
}

TEST(RawScan, UnreadableStoreListsNothing) {
  EngineRun run;
  EXPECT_EQ(run.Scan(ResolveChosenFile("/nonexistent/folder/mail.imm")).end, recovery::ScanEnd::kFileNotOpened);
  EXPECT_TRUE(run.rows().empty());
}

// Mail puts From, To, Subject and Date before MIME-Version. Each record must
// start with its own header lines, not carry the next message's.
TEST(RawScan, RecordStartsAtItsHeaderBlock) {
  const std::string first = MessageWithLeadingHeaders("one@x.org", "First", "body one\r\n");
  const std::string second = MessageWithLeadingHeaders("two@x.org", "Second", "body two\r\n");
  StoreScan scan(first + second);
  const Rows& rows = scan.run.rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], MessageRow("one@x.org", "First", "<reader@example.org", "Mon, 7 Dec 2026 08:00:00 +0000", 0,
                                static_cast<std::int64_t>(first.size())));
  EXPECT_EQ(rows[1], MessageRow("two@x.org", "Second", "<reader@example.org", "Mon, 7 Dec 2026 08:00:00 +0000",
                                static_cast<std::int64_t>(first.size()), static_cast<std::int64_t>(second.size())));
  // The saved message is exactly the first message, its own headers included.
  EXPECT_EQ(CopiedRecord(scan.path, 0, static_cast<std::int64_t>(first.size())), first);
}

TEST(RawScan, HeaderBlockStopsAtBlankLineLoneLineFeedAndOtherLines) {
  const std::string body = "text\r\n\r\n";
  struct Case {
    std::string before;           // what stands between the body and the boundary
    std::size_t expectedFromEnd;  // bytes of `before` that join the record
  } cases[] = {
      {"From: a@b.c\r\n", 13},
      {"From: a@b.c\r\n folded\r\n\tagain\r\n", 30},
      {"not a header\r\nFrom: a@b.c\r\n", 13},
      {"From: a@b.c\n", 0},                  // a line must end in CR LF
      {"Bad Name: x\r\nTo: c@d.e\r\n", 11},  // a space in a field name ends the block
      {":x\r\n", 0},                         // a field name is not empty
      {"X-\x7F: y\r\n", 0},                  // printable ASCII only
  };
  for (const Case& c : cases) {
    const std::string store = body + c.before + kBoundary + "0\r\n\r\n";
    StoreScan scan(store);
    ASSERT_EQ(scan.run.rows().size(), 1u) << c.before;
    const std::int64_t begin = static_cast<std::int64_t>(body.size() + c.before.size() - c.expectedFromEnd);
    EXPECT_EQ(scan.run.record(0).offset, begin) << c.before;
    EXPECT_EQ(scan.run.record(0).length, static_cast<std::int64_t>(store.size()) - begin) << c.before;
  }
}

TEST(RawScan, HeaderBlockReachesTheStartOfTheStoreButNotThePreviousBoundary) {
  // The first message's header lines from byte 0 on belong to it.
  StoreScan fromStart("Subject: s\r\n" + kBoundary + "0\r\n");
  ASSERT_EQ(fromStart.run.rows().size(), 1u);
  EXPECT_EQ(fromStart.run.record(0).offset, 0);

  // A boundary right after another's line: the previous boundary's own line is no header of the next.
  const std::string store = kBoundary + "0\r\nX-Y: z\r\n" + kBoundary + "0\r\n";
  StoreScan adjacent(store);
  ASSERT_EQ(adjacent.run.rows().size(), 2u);
  EXPECT_EQ(adjacent.run.record(0).length, 19);
  EXPECT_EQ(adjacent.run.record(1).offset, 19);
}

TEST(RawScan, BoundaryAstrideAWindowEdgeIsFound) {
  for (std::size_t at : {1975u, 1983u, 1984u, 1990u, 1999u, 3960u, 3970u}) {
    std::string store(6000, 'x');
    store.replace(at, kBoundary.size(), kBoundary);
    StoreScan scan(store);
    ASSERT_EQ(scan.run.rows().size(), 1u) << at;
    EXPECT_EQ(scan.run.record(0).offset, static_cast<std::int64_t>(at));
  }
}

TEST(RawScan, TheLastWindowOf100BytesOrLessIsNotSearched) {
  // 2040 bytes: the first window tests positions 0 to 1983; the next would
  // start at 1980 with 60 bytes and is not read.
  for (std::size_t at : {1983u, 1984u, 2000u, 2024u}) {
    std::string store(2040, 'x');
    store.replace(at, kBoundary.size(), kBoundary);
    StoreScan scan(store);
    EXPECT_EQ(scan.run.rows().size(), at <= 1983 ? 1u : 0u) << at;
  }
  // The store's last 16 bytes never open a message: a window tests up to its size minus 17.
  StoreScan atEnd(std::string(50, 'x') + kBoundary);
  EXPECT_TRUE(atEnd.run.rows().empty());
  StoreScan oneBefore(std::string(50, 'x') + kBoundary + "0");
  EXPECT_EQ(oneBefore.run.rows().size(), 1u);
}

TEST(RawScan, BoundaryInTheTailDoesNotEndTheMessageBeforeIt) {
  // The end search after the first boundary starts at 16 and stops before a
  // 100-byte tail: the second boundary stays inside the first message.
  std::string store(2060, 'x');
  store.replace(0, kBoundary.size(), kBoundary);
  store.replace(2030, kBoundary.size(), kBoundary);
  StoreScan scan(store);
  ASSERT_EQ(scan.run.rows().size(), 1u);
  EXPECT_EQ(scan.run.record(0).length, 2060);
}

TEST(RawScan, LongMessageShowsFieldsFromItsFirst65536BytesAndItsFullLength) {
  const std::string message =
      "MIME-Version: 1.0\r\nFrom: big@x.org\r\n\r\n" + std::string(70000, 'b') + "\r\nDate: late\r\n";
  StoreScan scan(message);
  ASSERT_EQ(scan.run.rows().size(), 1u);
  EXPECT_EQ(scan.run.rows()[0],
            MessageRow("big@x.org", "Unknown", "none", "Unknown", 0, static_cast<std::int64_t>(message.size())));
}

TEST(RawScan, NulByteEndsTheTextForHeaderFields) {
  StoreScan scan(kBoundary + "0\r\nFrom: a@b.c\r\n" + std::string(1, '\0') + "Subject: hidden\r\n");
  ASSERT_EQ(scan.run.rows().size(), 1u);
  EXPECT_EQ(scan.run.rows()[0][kFromCell], "a@b.c");
  EXPECT_EQ(scan.run.rows()[0][kSubjectCell], "Unknown");
}

TEST(RawScan, ReportsTheStoreLengthAsRangeAndEachMessageEndAsPosition) {
  const std::string first = Message("a@b.c", "1"), second = Message("c@d.e", "2");
  StoreScan scan(first + second);
  const auto& calls = scan.run.progress.calls;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_TRUE(calls[0].isRange);
  EXPECT_EQ(calls[0].value, static_cast<std::int64_t>(first.size() + second.size()));
  EXPECT_EQ(calls[1].value, static_cast<std::int64_t>(first.size()));
  EXPECT_EQ(calls[2].value, static_cast<std::int64_t>(first.size() + second.size()));
}

TEST(RawScan, StopWhileLookingForAMessagesEndListsNothingForIt) {
  const std::string first = Message("a@b.c", "1");
  const std::string store = first + Message("c@d.e", "2", std::string(20000, 'z'));
  ScratchFolder folder;
  const std::string path = folder.Write("mail.imm", store);
  EngineRun run;
  SourceFile file;
  ASSERT_TRUE(file.Open(path));
  StoppingReader stopping(file, static_cast<std::int64_t>(first.size()) + 5000, run.stopRequested);
  RawScanStore(run.ports, stopping, 4096);  // blocks far smaller than the message: one is read after the stop
  ASSERT_EQ(run.rows().size(), 1u);
  EXPECT_EQ(run.rows()[0][kSubjectCell], "1");
}

// Only the scan's start clears the stop request; the raw scan honours it.
TEST(RawScan, RawScanKeepsAStopRequest) {
  ScratchFolder folder;
  EngineRun run;
  const std::string path = folder.Write("mail.imm", Message("a@b.c", "1"));
  SourceFile store;
  ASSERT_TRUE(store.Open(path));
  run.stopRequested = 1;
  RawScanStore(run.ports, store);
  EXPECT_TRUE(run.rows().empty());
  EXPECT_EQ(run.stopRequested.load(), 1);

  run.Scan(ResolveChosenFile(path));  // a new scan starts afresh
  EXPECT_EQ(run.rows().size(), 1u);
}

TEST(RawScan, StoreCutWhileScannedEndsWhereItsBytesEnd) {
  const std::string first = MessageWithLeadingHeaders("a@b.c", "1");
  // Long enough that a block read ahead meets the cut.
  const std::string second = MessageWithLeadingHeaders("c@d.e", "2", std::string(20000, 'x') + "\r\n");
  for (std::size_t blockSize : {BlockReader::kSmallestBlock, BlockReader::kSmallestBlockReadAhead}) {
    for (bool readAhead : {false, true}) {
      // Cut while it is scanned: reads come back shorter than its size said.
      const std::string bytes = first + second;
      MemoryReader cut(bytes, static_cast<std::int64_t>(bytes.size()) + 5000, readAhead);
      EngineRun run;
      RawScanStore(run.ports, cut, blockSize);
      ASSERT_EQ(run.rows().size(), 2u);
      EXPECT_EQ(run.rows()[1][recovery::kOffsetCell], std::to_string(first.size()));
      EXPECT_EQ(run.rows()[1][recovery::kLengthCell], std::to_string(second.size())) << blockSize << readAhead;
    }
  }
}

TEST(RawScan, StoreWithNulBytesAndTornBoundariesNeverReadsOutOfBounds) {
  std::string store;
  for (int i = 0; i < 300; ++i) store += kBoundary.substr(0, i % 16) + std::string(i % 5, '\0') + "\r\n";
  store += kBoundary;
  StoreScan scan(store);
  EXPECT_TRUE(scan.run.rows().empty());
}

}  // namespace
}  // namespace tessel::testing
