// Read errors reach the user: an address book keeps the contacts read before
// one; a store is read on past a bad sector, its rows around it listed and the
// unreadable bytes named. The stores run through the built tessel on a
// failing disk (a preloaded shim that fails reads at chosen bytes).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/scans.h"
#include "tests/cli/tessel_run.h"
#include "tests/support/faulty_reader.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

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
  EXPECT_EQ(scan.rows[0].cells[kDisplayName], "c424 ");
  EXPECT_EQ(scan.rows[0].cells.size(), static_cast<size_t>(kContactCellCount));
  EXPECT_EQ(scan.rows[424].cells[kDisplayName], "c0 ");
  EXPECT_EQ(AddressBookProblem(scan, "Contacts.imb"),
            "read error in 'Contacts.imb' at byte 1048120: Input/output error; the contacts before it are kept");
}

// 200 messages of 500 bytes; the disk fails reads of bytes 40000 to 48191.
class FailingDisk : public ::testing::Test {
 protected:
  static constexpr int kMessages = 200;
  static constexpr std::size_t kMessageSize = 500;

  void SetUp() override {
    std::string index = mailfiles::IndexHeader(0);
    for (int i = 0; i < kMessages; ++i) {
      std::string message = mailfiles::CrLfLines({"From: sender" + std::to_string(i) + "@example.org",
                                                  "Subject: message " + std::to_string(i), "MIME-Version: 1.0", ""});
      message.resize(kMessageSize - 2, 'x');
      store_ += message + "\r\n";
      index += mailfiles::IndexEntry(kMessageSize);
    }
    std::ofstream(folder_.Path("Inbox.imm"), std::ios::binary) << store_;
    std::ofstream(folder_.Path("Inbox.imh"), std::ios::binary) << index;
  }

  testing::Run Tessel(const std::string& args) {
    return testing::RunCommand("TESSEL_FAIL_PATH=" + testing::Quoted(folder_.Path("Inbox.imm")) +
                                   " TESSEL_FAIL_FROM=40000 TESSEL_FAIL_TO=48192 LD_PRELOAD=" READ_FAULT_SHIM
                                   " ASAN_OPTIONS=verify_asan_link_order=0 " +
                                   testing::TesselCommand() + " " + args,
                               folder_.Root());
  }

  testing::ScratchFolder folder_;
  std::string store_;
};

TEST_F(FailingDisk, EveryScanListsTheMailAfterABadSectorMarksWhatItHitAndFails) {
  // The reads skip 4 KiB at a time: bytes 40000 to 49151 are lost.
  const std::string said = "tessel: read error in '" + folder_.Path("Inbox.imm") +
                           "' at bytes 40000-49151: Input/output error; the messages around it are listed\n";
  for (const char* scan : {"--raw", "", "--deep"}) {
    const std::string path = std::string(*scan == '\0' ? "Inbox.imh" : "Inbox.imm");
    const testing::Run run =
        Tessel(std::string("scan --format tsv ") + scan + " " + testing::Quoted(folder_.Path(path)));
    EXPECT_EQ(run.exitCode, 1) << scan;
    EXPECT_EQ(run.err, said) << scan;
    // The last message, far past the damage, is listed whole.
    EXPECT_NE(run.out.find("message 199\t"), std::string::npos) << scan;
    // A row is marked exactly when its record holds a lost byte.
    int marked = 0;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> cells;
      for (std::size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1) {
        tab = line.find('\t', from);
        cells.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
      }
      ASSERT_GE(cells.size(), 6u) << line;
      const long long offset = std::stoll(cells[4]), end = offset + std::stoll(cells[5]);
      const bool hit = offset < 49152 && 40000 < end;
      EXPECT_EQ(cells.back() == "unreadable", hit) << scan << ": " << line;
      marked += hit ? 1 : 0;
    }
    EXPECT_GT(marked, 0) << scan;
  }
  // The index walk keeps every row; an export writes each message, the hit one up to its first unreadable byte.
  const testing::Run listed = Tessel("scan --format tsv " + testing::Quoted(folder_.Path("Inbox.imh")));
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), kMessages);
  const testing::Run exported =
      Tessel("export " + testing::Quoted(folder_.Path("Inbox.imh")) + " --to " + testing::Quoted(folder_.Path("out")));
  EXPECT_EQ(exported.exitCode, 1);
  EXPECT_NE(exported.err.find("row 81: "), std::string::npos) << exported.err;
  EXPECT_NE(exported.err.find(said), std::string::npos);
  std::ifstream last(folder_.Path("out/MailRec0200.eml"), std::ios::binary);
  const std::string lastBytes((std::istreambuf_iterator<char>(last)), std::istreambuf_iterator<char>());
  EXPECT_EQ(lastBytes, store_.substr(199 * kMessageSize));

  // The identity export reads past the damage too, and its report says what was lost.
  const testing::ScratchFolder elsewhere;
  const testing::Run identity = Tessel("export " + testing::Quoted(folder_.Root()) + " --to " +
                                       testing::Quoted(elsewhere.Path("mbox")) + " --format mbox");
  EXPECT_EQ(identity.exitCode, 1);
  const std::string lost = "unreadable: bytes 40000-49151 of '" + folder_.Path("Inbox.imm") + "': Input/output error";
  EXPECT_NE(identity.out.find(lost), std::string::npos) << identity.out;
  EXPECT_NE(testing::ReadAll(elsewhere.Path("mbox/Recovery report.txt")).find(lost), std::string::npos);
  EXPECT_NE(testing::ReadAll(elsewhere.Path("mbox/Inbox.mbox")).find("Subject: message 199\n"), std::string::npos);
}

}  // namespace
}  // namespace tessel::cli
