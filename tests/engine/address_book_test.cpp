// The address book layout: a 70-byte header, 2466-byte contacts, 27 fields at
// fixed places; the last contact on top; read errors reported.
#include <cerrno>

#include "tests/engine/scan_fixture.h"

namespace tessel::testing {
namespace {

constexpr std::size_t kHeader = mailfiles::kAddressBookHeaderSize;
constexpr std::size_t kRecord = mailfiles::kContactRecordSize;

// A contact whose field k holds "<tag>k" (NUL padded), and bytes that are no
// field after the last one.
std::string Contact(const std::string& tag) {
  std::vector<mailfiles::ContactField> fields;
  for (int k = 1; k <= mailfiles::kContactFieldCount; ++k) fields.push_back({k, tag + std::to_string(k)});
  std::string record = mailfiles::ContactRecord(fields);
  const std::size_t fieldsEnd = mailfiles::ContactFieldOffset(27) + mailfiles::ContactFieldSize(27);
  record.replace(fieldsEnd, kRecord - fieldsEnd, std::string(kRecord - fieldsEnd, '#'));  // the unread trailer
  return record;
}

std::string Book(const std::vector<std::string>& contacts) {
  std::string book(kHeader, '\x7F');
  for (const std::string& c : contacts) book += c;
  return book;
}

// The row of a Contact(tag): field k goes to its cell, with the NUL shown as a space.
std::vector<std::string> ContactRow(const std::string& tag) {
  const int fieldOfCell[23] = {4, 5, 6, 1, 2, 3, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25};
  std::vector<std::string> row;
  for (int field : fieldOfCell) row.push_back(tag + std::to_string(field) + " ");
  return row;
}

struct BookScan {
  ScratchFolder folder;
  EngineRun run;
  recovery::ScanResult result;
  explicit BookScan(const std::string& bytes) {
    result = run.Scan(ResolveChosenFile(folder.Write("Contacts.imb", bytes)), ScanMode::kAddressBook);
  }
};

TEST(AddressBook, OneRecordFillsTheTwentyThreeCellsOfRowZero) {
  BookScan scan(Book({Contact("a")}));
  EXPECT_EQ(scan.result.end, recovery::ScanEnd::kComplete);
  EXPECT_EQ(scan.result.rows, 1);
  EXPECT_EQ(scan.run.rows(), Rows{ContactRow("a")});  // fields 7, 23, 26, 27 never shown
}

TEST(AddressBook, LastContactOfTheFileComesFirst) {
  BookScan scan(Book({Contact("a"), Contact("b"), Contact("c")}));
  EXPECT_EQ(scan.run.rows(), (Rows{ContactRow("c"), ContactRow("b"), ContactRow("a")}));
}

TEST(AddressBook, FieldTextEndsAtItsFirstNul) {
  std::string record = Contact("x");
  record.replace(150, 50, std::string(50, 'D'));  // a full Display Name: no space added
  record.replace(200, 5, std::string("e\0f@g", 5));
  record[1450] = '\0';
  BookScan scan(Book({record}));
  ASSERT_EQ(scan.run.rows().size(), 1u);
  EXPECT_EQ(scan.run.rows()[0][0], std::string(50, 'D'));
  EXPECT_EQ(scan.run.rows()[0][1], "e ");
  EXPECT_EQ(scan.run.rows()[0][6], " ");
}

TEST(AddressBook, BlankLastContactIsDroppedButABlankEarlierOneStays) {
  std::string blank = Contact("z");
  for (std::size_t offset : {0u, 150u, 200u, 400u}) blank[offset] = '\0';
  BookScan last(Book({Contact("a"), blank}));
  EXPECT_EQ(last.run.rows(), Rows{ContactRow("a")});
  BookScan earlier(Book({blank, Contact("a")}));
  ASSERT_EQ(earlier.run.rows().size(), 2u);
  EXPECT_EQ(earlier.run.rows()[1][0], " ");
}

TEST(AddressBook, TornRecordListsTheFieldsPresent) {
  std::string book = Book({Contact("a"), Contact("b")});
  book.resize(kHeader + kRecord + 152);  // two bytes into field 4 of the second contact
  BookScan scan(book);
  ASSERT_EQ(scan.run.rows().size(), 2u);
  EXPECT_EQ(scan.run.rows()[0][3], "b1 ");
  EXPECT_EQ(scan.run.rows()[0][0], "b4");  // the bytes present, without a NUL: no space
}

// The walk reads large blocks: fields astride a block's edge come out whole.
TEST(AddressBook, ContactsAcrossBlockEdgesAreListedWhole) {
  std::vector<std::string> contacts;
  Rows expected;
  for (int i = 0; i < 1000; ++i) {  // about 2.4 MiB
    contacts.push_back(Contact("c" + std::to_string(i) + "-"));
    expected.insert(expected.begin(), ContactRow("c" + std::to_string(i) + "-"));
  }
  BookScan scan(Book(contacts));
  EXPECT_EQ(scan.run.rows(), expected);
}

TEST(AddressBook, ShortFilesAndTheHeaderNeverReachTheList) {
  BookScan empty("");
  EXPECT_TRUE(empty.run.rows().empty());
  BookScan header(std::string(70, 'H'));
  EXPECT_TRUE(header.run.rows().empty());
  std::string book = Book({Contact("a")});
  book.replace(0, 70, std::string(70, '\0'));
  BookScan zeroHeader(book);
  EXPECT_EQ(zeroHeader.run.rows(), Rows{ContactRow("a")});
}

TEST(AddressBook, MissingFileListsNothingAndSaysSo) {
  EngineRun run;
  const recovery::ScanResult result = run.Scan(ResolveChosenFile("/nonexistent/Contacts.imb"), ScanMode::kAddressBook);
  EXPECT_EQ(result.end, recovery::ScanEnd::kFileNotOpened);
  EXPECT_TRUE(run.rows().empty());
}

// A reader whose reads fail from `failAt` on, as a bad sector would.
class FailingReader final : public ByteReader {
 public:
  FailingReader(std::string bytes, std::int64_t failAt) : bytes_(std::move(bytes)), failAt_(failAt) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (offset + static_cast<std::int64_t>(count) > failAt_) {
      error_ = EIO;
      return 0;
    }
    const std::string part = bytes_.substr(static_cast<std::size_t>(offset), count);
    part.copy(static_cast<char*>(buffer), part.size());
    return part.size();
  }
  int LastError() const override { return error_; }

 private:
  std::string bytes_;
  std::int64_t failAt_;
  int error_ = 0;
};

// A read error ends the walk and reaches the caller; rows listed stay.
TEST(AddressBook, ReadErrorEndsTheWalkAndIsReported) {
  const std::int64_t failAt = kHeader + kRecord + 1460;  // inside field 8 of the second contact
  FailingReader reader(Book({Contact("a"), Contact("b"), Contact("c")}), failAt);
  MemoryRows rows;
  const AddressBookResult result = WalkAddressBook(reader, rows);
  EXPECT_EQ(result.status, AddressBookResult::Status::kReadError);
  EXPECT_EQ(result.errorCode, EIO);
  EXPECT_EQ(result.errorOffset, static_cast<std::int64_t>(kHeader + kRecord + 1450));
  const Rows listed = RowCells(rows.Contacts());
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0][0], "b4 ");  // the second contact, as far as it was read
  EXPECT_EQ(listed[0][6], "");
  EXPECT_EQ(listed[1], ContactRow("a"));
}

}  // namespace
}  // namespace tessel::testing
