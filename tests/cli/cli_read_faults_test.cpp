// Read errors reach the user: an address book is read on past a bad sector,
// its contacts around it listed; a store is read on past a bad sector, its rows around it listed and the
// unreadable bytes named; a copy keeps every byte it can read and says which
// it could not, and a store that shrinks meanwhile is never taken for whole.
// The stores run through the built tessel on a failing disk (a preloaded shim
// that fails reads at chosen bytes).
#include <gtest/gtest.h>

#include <filesystem>
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
  // Its last five records could not be read at all: they are no contacts.
  EXPECT_EQ(AddressBookProblem(scan, "Contacts.imb"),
            "read error in 'Contacts.imb' at bytes 1048120-1060449: Input/output error; the contacts around it are "
            "listed");

  // One bad sector inside the fourth of seven contacts: every contact is
  // listed, those around it whole.
  std::string seven(mailfiles::kAddressBookHeaderSize, 'H');
  for (int i = 0; i < 7; ++i) {
    const std::string name = "c" + std::to_string(i);
    seven += mailfiles::ContactRecord({{1, name}, {4, name}});
  }
  testing::BadSectorReader disk(seven, {{8000, 8512}});
  const ContactScan around = ScanContacts(disk);
  ASSERT_EQ(around.rows.size(), 7u);
  for (const int contact : {0, 1, 2, 3, 5, 6})  // the list shows the last contact first
    EXPECT_EQ(around.rows[static_cast<size_t>(6 - contact)].cells[kDisplayName], "c" + std::to_string(contact) + " ");
  EXPECT_EQ(around.result.end, recovery::ScanEnd::kReadError);
}

// tessel run in `folder` on a disk that fails reads of `path` as `settings` say.
testing::Run TesselOnFailingDisk(const testing::ScratchFolder& folder, const std::string& path,
                                 const std::string& settings, const std::string& args) {
  return testing::RunCommand("TESSEL_FAIL_PATH=" + testing::Quoted(path) + " " + settings +
                                 " LD_PRELOAD=" READ_FAULT_SHIM " ASAN_OPTIONS=verify_asan_link_order=0 " +
                                 testing::TesselCommand() + " " + args,
                             folder.Root());
}

TEST(ReadFaults, ACopyKeepsEveryReadableByteAfterABadSectorAndSaysWhichItCouldNotRead) {
  testing::ScratchFolder folder;
  std::string message = mailfiles::CrLfLines({"From: a@example.org", "Subject: long", "MIME-Version: 1.0", ""});
  for (int line = 0; message.size() < 20000; ++line) message += "body line " + std::to_string(line) + "\r\n";
  std::ofstream(folder.Path("Inbox.imm"), std::ios::binary) << message;
  // Bytes 8192-8291 cannot be read: the copy, read 2000 bytes at a time, loses
  // the rest of that read's 4 KiB piece, and nothing else.
  std::string expected = message;
  expected.replace(8192, 1808, 1808, '\0');
  const std::string lost =
      "row 1: cannot read bytes 8192-9999 of the store (Input/output error); they are NUL "
      "bytes in the copy\n";
  // Read errors from the scan on, and a weak sector that reads for the scan and then fails.
  for (const char* after : {"0", "1"}) {
    const std::string settings = std::string("TESSEL_FAIL_FROM=8192 TESSEL_FAIL_TO=8292 TESSEL_FAIL_AFTER=") + after;
    const auto tessel = [&](const std::string& args) {
      return TesselOnFailingDisk(folder, folder.Path("Inbox.imm"), settings, args);
    };
    const std::string out = folder.Path(std::string("out") + after);
    const testing::Run exported =
        tessel("export " + testing::Quoted(folder.Path("Inbox.imm")) + " --to " + testing::Quoted(out));
    EXPECT_EQ(exported.exitCode, 1) << after;
    EXPECT_EQ(exported.err.find("read error in") == std::string::npos, *after == '1') << exported.err;
    EXPECT_NE(exported.err.find(lost), std::string::npos) << exported.err;
    EXPECT_EQ(exported.out, "wrote 1 message to " + out +
                                " (MailRec0001.eml); 1 with bytes that could not be read "
                                "(NUL bytes in their place)\n");
    EXPECT_TRUE(testing::ReadAll(out + "/MailRec0001.eml") == expected) << after;

    const testing::Run shown = tessel("show " + testing::Quoted(folder.Path("Inbox.imm")) + " 1");
    EXPECT_EQ(shown.exitCode, 1) << after;
    EXPECT_TRUE(shown.out == expected) << after;
    EXPECT_NE(shown.err.find(lost), std::string::npos) << shown.err;

    const testing::Run mbox = tessel("export " + testing::Quoted(folder.Path("Inbox.imm")) + " --to " +
                                     testing::Quoted(out) + " --format mbox");
    EXPECT_EQ(mbox.exitCode, 1) << after;
    EXPECT_NE(testing::ReadAll(out + "/MailRec.mbox").find("\nbody line 1000\n"), std::string::npos) << after;
  }
}

// An index whose first sector cannot be read still tells the move which
// messages it lists: a deleted one stays out of the identity's Inbox.mbox.
TEST(ReadFaults, AMoveStillTakesAnIndexWhoseSignatureCannotBeRead) {
  testing::ScratchFolder folder;
  std::string store, index = mailfiles::IndexHeader(0);
  index.resize(5000, '\x7f');  // what lies between entries is skipped: these are all in the index's second piece
  for (int i = 0; i < 6; ++i) {
    std::string message = mailfiles::CrLfLines({"From: s" + std::to_string(i) + "@example.org",
                                                "Subject: message " + std::to_string(i), "MIME-Version: 1.0", ""});
    message += std::string(200 + 50 * i, 'x') + "\r\n";
    store += message;
    if (i != 3) index += mailfiles::IndexEntry(static_cast<std::uint32_t>(message.size()));  // 3 was deleted
  }
  std::filesystem::create_directory(folder.Path("id"));
  std::ofstream(folder.Path("id/Inbox.imm"), std::ios::binary) << store;
  std::ofstream(folder.Path("id/Inbox.imh"), std::ios::binary) << index;
  const testing::Run moved =
      TesselOnFailingDisk(folder, folder.Path("id/Inbox.imh"), "TESSEL_FAIL_FROM=0 TESSEL_FAIL_TO=512",
                          "export " + testing::Quoted(folder.Path("id")) + " --to " +
                              testing::Quoted(folder.Path("out")) + " --format mbox");
  EXPECT_EQ(moved.exitCode, 1) << moved.err;
  EXPECT_NE(moved.out.find("  5 messages listed by the index -> Inbox.mbox\n"), std::string::npos) << moved.out;
  const std::string inbox = testing::ReadAll(folder.Path("out/Inbox.mbox"));
  EXPECT_EQ(inbox.find("Subject: message 3\n"), std::string::npos);
  EXPECT_NE(inbox.find("Subject: message 5\n"), std::string::npos);
  EXPECT_NE(testing::ReadAll(folder.Path("out/Inbox (found only in the store).mbox")).find("Subject: message 3\n"),
            std::string::npos);
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

  testing::Run Tessel(const std::string& args,
                      const std::string& settings = "TESSEL_FAIL_FROM=40000 TESSEL_FAIL_TO=48192") {
    return TesselOnFailingDisk(folder_, folder_.Path("Inbox.imm"), settings, args);
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
  // The index walk keeps every row; an export writes each message, the hit ones with NUL bytes for the lost ones.
  const testing::Run listed = Tessel("scan --format tsv " + testing::Quoted(folder_.Path("Inbox.imh")));
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), kMessages);
  const testing::Run exported =
      Tessel("export " + testing::Quoted(folder_.Path("Inbox.imh")) + " --to " + testing::Quoted(folder_.Path("out")));
  EXPECT_EQ(exported.exitCode, 1);
  EXPECT_NE(exported.err.find("row 81: cannot read bytes 40000-40499 of the store"), std::string::npos) << exported.err;
  EXPECT_EQ(testing::ReadAll(folder_.Path("out/MailRec0081.eml")), std::string(kMessageSize, '\0'));
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
  // The deep scan keeps each record of the sound index whole; the copies name the bytes each lost.
  EXPECT_NE(identity.out.find("  200 messages listed by the index -> Inbox.mbox\n"), std::string::npos) << identity.out;
  EXPECT_NE(identity.out.find("  the message at byte 40000: cannot read bytes 40000-40499 of the store (Input/output "
                              "error); they are NUL bytes in the copy; and 16 more messages alike\n"),
            std::string::npos)
      << identity.out;
  EXPECT_NE(testing::ReadAll(elsewhere.Path("mbox/Inbox.mbox")).find("Subject: message 199\n"), std::string::npos);
}

// The index's bytes from 804 on, where the 100th entry starts, are lost (its
// 1,612 bytes are one 4 KiB piece): the entries before them place their
// messages, the store's search lists the rest, each message once and at its
// own bytes.
TEST_F(FailingDisk, AnUnreadableStretchOfTheIndexStillListsEveryMessageOnceInItsPlace) {
  const testing::Run run =
      TesselOnFailingDisk(folder_, folder_.Path("Inbox.imh"), "TESSEL_FAIL_FROM=804 TESSEL_FAIL_TO=900",
                          "scan --format tsv " + testing::Quoted(folder_.Path("Inbox.imh")));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("at bytes 804-1611: Input/output error; the messages around it are listed"), std::string::npos)
      << run.err;
  std::istringstream lines(run.out);
  int row = 0;
  for (std::string line; std::getline(lines, line); ++row) {
    const std::string at = "message " + std::to_string(row) + "\t";
    EXPECT_NE(line.find(at), std::string::npos) << line;
    EXPECT_NE(line.find("\t" + std::to_string(row * kMessageSize) + "\t500"), std::string::npos) << line;
  }
  EXPECT_EQ(row, kMessages);
}

TEST_F(FailingDisk, AStoreCutShortWhileItIsCopiedIsNeverTakenForItsEnd) {
  // The scan reads the store whole; from then on it ends at byte 40000, without a read error.
  const std::string shrunk = "TESSEL_FAIL_FROM=40000 TESSEL_FAIL_TO=1000000 TESSEL_FAIL_AS_END=1 TESSEL_FAIL_AFTER=1";
  const std::string out = folder_.Path("out");
  const testing::Run exported =
      Tessel("export " + testing::Quoted(folder_.Path("Inbox.imh")) + " --to " + testing::Quoted(out), shrunk);
  EXPECT_EQ(exported.exitCode, 1);
  EXPECT_EQ(exported.out, "wrote 80 messages to " + out +
                              " (MailRec0001.eml ... MailRec0080.eml); 120 not copied whole: the store gave out before "
                              "the size it had when opened\n");
  EXPECT_NE(exported.err.find("tessel: row 81: the store gave no more bytes at byte 40000, before its end at 100000 "
                              "when it was opened (it shrank meanwhile, or a read failed); wrote 0 of 500 bytes\n"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(out + "/MailRec0080.eml"));
  EXPECT_FALSE(std::filesystem::exists(out + "/MailRec0081.eml"));

  const testing::ScratchFolder elsewhere;
  const testing::Run identity = Tessel("export " + testing::Quoted(folder_.Root()) + " --to " +
                                           testing::Quoted(elsewhere.Path("mbox")) + " --format mbox",
                                       shrunk);
  EXPECT_EQ(identity.exitCode, 1);
  EXPECT_NE(identity.out.find("  80 messages listed by the index -> Inbox.mbox\n"), std::string::npos) << identity.out;
  EXPECT_NE(identity.out.find("wrote 0 of 500 bytes; and 119 more messages alike\n"), std::string::npos);
  EXPECT_NE(identity.out.find("Not everything could be exported"), std::string::npos);
  // No message of the mbox is empty: it holds the 80 that were read.
  const std::string mbox = testing::ReadAll(elsewhere.Path("mbox/Inbox.mbox"));
  long long messages = 0;
  for (std::size_t at = 0; (at = mbox.find("From ", at)) != std::string::npos; ++at)
    messages += at == 0 || mbox[at - 1] == '\n';
  EXPECT_EQ(messages, 80);
  EXPECT_NE(mbox.find("Subject: message 79\n"), std::string::npos);
}

}  // namespace
}  // namespace tessel::cli
