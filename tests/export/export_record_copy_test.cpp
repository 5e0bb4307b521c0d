// The record copy: a message's bytes out of the store, and what came of it:
// whole, cut short where the store ends, with unreadable bytes as NUL bytes,
// ended before the store's measured end, or refused by the file it goes to.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "export/output_file.h"
#include "export/record_copy.h"
#include "tests/export/failing_writer.h"
#include "tests/support/faulty_reader.h"
#include "tests/support/scratch_folder.h"

namespace tessel::exporting {
namespace {

using tessel::testing::FaultyReader;
using End = RecordCopy::End;

// 7000 bytes that differ from their neighbours, so that a shifted copy shows.
std::string StoreBytes() {
  std::string store;
  for (int i = 0; i < 7000; ++i) store += static_cast<char>(i * 7 + i / 256);
  return store;
}

FaultyReader Store(std::int64_t faultAt = FaultyReader::kNever, FaultyReader::Fault fault = FaultyReader::Fault::kError,
                   bool persistent = false) {
  return FaultyReader(StoreBytes(), faultAt, fault, persistent);
}

RecordCopy CopyToString(ByteReader& store, MessageRecord record, std::string& out) {
  return CopyMessageRecord(store, record, [&](const char* bytes, std::size_t count) {
    out.append(bytes, count);
    return true;
  });
}

TEST(RecordCopy, AWholeRecordComesOutByteForByteIntoItsFile) {
  tessel::testing::ScratchFolder folder;
  FaultyReader store = Store();
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Create(folder.Path("out.eml"), Collision::kRefuse, error));
  const RecordCopy copy = CopyMessageRecord(store, {1000, 4001}, file);
  ASSERT_TRUE(file.Finish(error)) << error;
  EXPECT_EQ(copy.end, End::kComplete);
  EXPECT_EQ(copy.copied, 4001);
  EXPECT_EQ(folder.Read("out.eml"), StoreBytes().substr(1000, 4001));
  EXPECT_TRUE(copy.Whole());
  EXPECT_EQ(RecordCopyNote("row 1", copy), "");
}

TEST(RecordCopy, ARecordPastTheStoresEndIsCutShortThere) {
  FaultyReader store = Store();
  std::string out;
  RecordCopy copy = CopyToString(store, {6350, 990}, out);
  EXPECT_EQ(copy.end, End::kStoreEnds);
  EXPECT_TRUE(copy.Kept());
  EXPECT_EQ(out, StoreBytes().substr(6350));
  EXPECT_EQ(RecordCopyNote("row 2", copy), "row 2: the store ends 650 bytes into this message; wrote 650 of 990 bytes");

  out.clear();
  copy = CopyToString(store, {9000, 10}, out);
  EXPECT_EQ(copy.end, End::kStoreEnds);
  EXPECT_EQ(out, "");
  EXPECT_EQ(RecordCopyNote("row 3", copy), "row 3: the store ends before this message; wrote 0 of 10 bytes");
}

TEST(RecordCopy, AFailedReadIsTriedAgainThenPassedAsNulBytesAndNamed) {
  // Reads go a chunk of 2000 bytes at a time: the second one fails once.
  FaultyReader once = Store(1);
  std::string out;
  RecordCopy copy = CopyToString(once, {100, 5000}, out);
  EXPECT_TRUE(copy.Whole());
  EXPECT_EQ(out, StoreBytes().substr(100, 5000));

  // Every read after the first fails: the rest of the record is NUL bytes, at
  // the offsets of the bytes they stand for.
  FaultyReader failing = Store(1, FaultyReader::Fault::kError, true);
  out.clear();
  copy = CopyToString(failing, {100, 5000}, out);
  EXPECT_EQ(copy.end, End::kComplete);
  EXPECT_FALSE(copy.Whole());
  EXPECT_TRUE(copy.Kept());
  EXPECT_EQ(copy.unreadable, (std::vector<UnreadableRange>{{2100, 5100, EIO}}));
  EXPECT_EQ(out, StoreBytes().substr(100, 2000) + std::string(3000, '\0'));
  EXPECT_EQ(RecordCopyNote("row 4", copy), "row 4: cannot read bytes 2100-5099 of the store (" +
                                               std::string(std::strerror(EIO)) + "); they are NUL bytes in the copy");
}

TEST(RecordCopy, AStoreThatGivesOutBeforeItsMeasuredEndIsNeverTakenForItsEnd) {
  // The second read comes back short without an error, as from a store that shrank.
  FaultyReader shrinking = Store(1, FaultyReader::Fault::kShortCount, true);
  std::string out;
  const RecordCopy copy = CopyToString(shrinking, {100, 5000}, out);
  EXPECT_EQ(copy.end, End::kEndedEarly);
  EXPECT_FALSE(copy.Kept());
  EXPECT_EQ(out, StoreBytes().substr(100, 3000));
  EXPECT_EQ(RecordCopyNote("row 5", copy),
            "row 5: the store gave no more bytes at byte 3100, before its end at 7000 when it was opened (it shrank "
            "meanwhile, or a read failed); wrote 3000 of 5000 bytes");
}

TEST(RecordCopy, AFileThatRefusesAWriteEndsTheCopyAndIsRemoved) {
  tessel::testing::ScratchFolder folder;
  FaultyReader store = Store();
  tessel::testing::FailingFileOpener failing(2);  // the second chunk's write
  const ScopedFileOpener use(failing);
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Create(folder.Path("out.eml"), Collision::kNumbered, error));
  const RecordCopy copy = CopyMessageRecord(store, {0, 5000}, file);
  EXPECT_EQ(copy.end, End::kRefused);
  EXPECT_EQ(copy.copied, 2000);
  EXPECT_FALSE(copy.Kept());
  EXPECT_EQ(RecordCopyNote("row 6", copy), "");
  EXPECT_FALSE(file.Finish(error));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out.eml")));
}

}  // namespace
}  // namespace tessel::exporting
