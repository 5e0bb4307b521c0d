// A read error in an address book reaches the user: the contacts read before it
// are kept, and the problem names the byte where the read failed and why.
#include <gtest/gtest.h>

#include "cli/scans.h"
#include "tests/support/faulty_reader.h"
#include "tests/support/mail_files.h"

namespace tessel::cli {
namespace {

TEST(ReadFaults, AddressBookReadErrorKeepsContactsAndSaysWhere) {
  std::string book(mailfiles::kAddressBookHeaderSize, 'H');
  for (int i = 0; i < 430; ++i) {
    const std::string name = "c" + std::to_string(i);
    book += mailfiles::ContactRecord({{1, name}, {4, name}});
  }
  // The book's second block (from contact 425 on) cannot be read, nor anything
  // after it: the 425 contacts of the first block are kept.
  testing::FaultyReader reader(book, 1, testing::FaultyReader::Fault::kError, true);
  const ContactScan scan = ScanContacts(reader);
  ASSERT_EQ(scan.rows.size(), 425u);
  Row first;
  ContactCells(scan.rows[0], first);
  EXPECT_EQ(first[kDisplayName], "c424 ");
  EXPECT_EQ(first.size(), static_cast<size_t>(kContactCellCount));
  EXPECT_EQ(scan.rows[424].cell(kDisplayName), "c0 ");
  EXPECT_EQ(AddressBookProblem(scan, "Contacts.imb"),
            "read error in 'Contacts.imb' at byte 1048120: Input/output error; the contacts before it are kept");
}

}  // namespace
}  // namespace tessel::cli
