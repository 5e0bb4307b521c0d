#include "recovery/scan_notice.h"
#include "recovery/row_kinds.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tessel::recovery {
namespace {

ScanResult Ended(ScanEnd end, long long rows) {
  ScanResult result;
  result.end = end;
  result.rows = rows;
  result.storePath = "C:\\Mail\\Inbox.imm";
  return result;
}

TEST(ScanNotice, AFinishedScanGivesItsCountAndAStoppedOneSaysItStopped) {
  const ScanEndText done = DescribeScanEnd(Ended(ScanEnd::kComplete, 23), ScanMode::kUsual, "C:\\Mail\\Inbox.imh");
  EXPECT_EQ(done.count, "23 messages found");
  EXPECT_EQ(done.notice, "");
  EXPECT_EQ(DescribeScanEnd(Ended(ScanEnd::kComplete, 1), ScanMode::kAddressBook, "a.imb").count, "1 contact found");
  ScanResult repeated = Ended(ScanEnd::kComplete, 13);
  repeated.repeats = 10;
  EXPECT_EQ(DescribeScanEnd(repeated, ScanMode::kUsual, "Inbox.imh").count,
            "13 messages found (10 found twice, listed once)");
  const ScanEndText stopped = DescribeScanEnd(Ended(ScanEnd::kStopped, 5), ScanMode::kDeep, "C:\\Mail\\Inbox.imm");
  EXPECT_EQ(stopped.count, "Stopped: 5 found before the stop");
  EXPECT_EQ(stopped.notice, "");
}

TEST(ScanNotice, NothingFoundAndFilesNotOpenedNameTheFileAndTheReason) {
  const ScanEndText empty = DescribeScanEnd(Ended(ScanEnd::kComplete, 0), ScanMode::kUsual, "C:\\x.imm");
  EXPECT_EQ(empty.notice,
            "No messages were found in C:\\x.imm: it holds none, or it is not an IncrediMail message store.");
  EXPECT_FALSE(empty.failed);
  const ScanEndText missing =
      DescribeScanEnd(Ended(ScanEnd::kStoreNotOpened, 0), ScanMode::kUsual, "C:\\Mail\\Inbox.imh");
  EXPECT_NE(missing.notice.find("C:\\Mail\\Inbox.imh"), std::string::npos);
  EXPECT_NE(missing.notice.find("C:\\Mail\\Inbox.imm, which is missing"), std::string::npos);
  EXPECT_TRUE(missing.failed);
  EXPECT_TRUE(DescribeScanEnd(Ended(ScanEnd::kFileNotOpened, 0), ScanMode::kAddressBook, "a.imb").failed);
}

TEST(ScanNotice, UnreadableBytesAreNamedRangeByRange) {
  ScanResult result = Ended(ScanEnd::kReadError, 40);
  result.unreadable = {{"C:\\Mail\\Inbox.imm", {4096, 12288, EIO}}, {"C:\\Mail\\Inbox.imm", {20480, 24576, EIO}}};
  const ScanEndText text = DescribeScanEnd(result, ScanMode::kUsual, "C:\\Mail\\Inbox.imh");
  EXPECT_EQ(text.count, "40 messages found");
  EXPECT_TRUE(text.failed);
  EXPECT_NE(text.notice.find("C:\\Mail\\Inbox.imm could not be read at bytes 4096 to 12287: "), std::string::npos);
  EXPECT_NE(text.notice.find("at bytes 20480 to 24575: "), std::string::npos);
}

}  // namespace
}  // namespace tessel::recovery

namespace tessel::recovery {
namespace {

TEST(RowKindsNote, SaysWhatTheRowsBesideTheCountAre) {
  EXPECT_EQ(DescribeRowKinds({}), "");
  EXPECT_EQ(DescribeRowKinds({3, 1, 0}),
            "\r\n3 of them found only in the store: deleted, or never indexed"
            "\r\n1 stretch of the store that no message claims");
  EXPECT_EQ(DescribeRowKinds({0, 0, 2}), "\r\n2 of them blank: Save leaves them out");
}

}  // namespace
}  // namespace tessel::recovery
