// The record copy: a message's bytes out of the store, and what came of it:
// whole, cut short where the store ends, cut short by a failed read, or
// refused by the file it goes to.
#include <gtest/gtest.h>

#include <filesystem>

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

FaultyReader Store(std::int64_t faultAt = FaultyReader::kNever) {
  return FaultyReader(StoreBytes(), faultAt, FaultyReader::Fault::kError, false);
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
  EXPECT_EQ(ShortRecordNote(1, copy, store.Size()), "");
}

TEST(RecordCopy, ARecordPastTheStoresEndIsCutShortThere) {
  FaultyReader store = Store();
  std::string out;
  RecordCopy copy = CopyToString(store, {6350, 990}, out);
  EXPECT_EQ(copy.end, End::kStoreEnds);
  EXPECT_TRUE(copy.CutShort());
  EXPECT_EQ(out, StoreBytes().substr(6350));
  EXPECT_EQ(ShortRecordNote(2, copy, store.Size()),
            "row 2: the store ends 650 bytes into this message; wrote 650 of 990 bytes");

  out.clear();
  copy = CopyToString(store, {9000, 10}, out);
  EXPECT_EQ(copy.end, End::kStoreEnds);
  EXPECT_EQ(out, "");
  EXPECT_EQ(ShortRecordNote(3, copy, store.Size()), "row 3: the store ends before this message; wrote 0 of 10 bytes");
}

TEST(RecordCopy, AFailedReadCutsTheRecordShortAndSaysWhere) {
  // Reads go a chunk of 2000 bytes at a time: the second one fails.
  FaultyReader store = Store(1);
  std::string out;
  const RecordCopy copy = CopyToString(store, {100, 5000}, out);
  EXPECT_EQ(copy.end, End::kReadError);
  EXPECT_EQ(copy.readError, EIO);
  EXPECT_EQ(out, StoreBytes().substr(100, 2000));
  EXPECT_EQ(
      ShortRecordNote(4, copy, store.Size()),
      "row 4: cannot read the store at byte 2100 (" + std::string(std::strerror(EIO)) + "); wrote 2000 of 5000 bytes");

  // The reader keeps that error; a later record that merely runs past the end
  // is not blamed on it.
  out.clear();
  EXPECT_EQ(CopyToString(store, {6000, 2000}, out).end, End::kStoreEnds);
  EXPECT_EQ(out, StoreBytes().substr(6000));
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
  EXPECT_FALSE(copy.CutShort());
  EXPECT_EQ(ShortRecordNote(5, copy, store.Size()), "");
  EXPECT_FALSE(file.Finish(error));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out.eml")));
}

}  // namespace
}  // namespace tessel::exporting
