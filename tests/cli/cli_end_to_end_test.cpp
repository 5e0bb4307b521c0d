// Runs the built tessel on stores, indexes and address books made here, and
// checks its output files, its errors and its exit codes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace mailfiles = tessel::mailfiles;
using tessel::testing::ReadAll;

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

std::string Message(const std::string& from, const std::string& subject, const std::string& body) {
  return mailfiles::CrLfLines({"From: " + from, "To: tom@example.net", "Subject: " + subject,
                               "Date: Mon, 03 Mar 2008 09:14:22 +0100", "MIME-Version: 1.0", "Content-Type: text/plain",
                               "", body});
}

struct Result {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class TesselRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Root();
    first_ = Message("Anna Berger <anna@example.org>", "First", "Hello\r\nFrom the desk of Anna");
    second_ = Message("bob@example.com", "Caf\xE9\tcr\xE8me\\", "Second body");
    third_ = Message("Carl <carl@example.com>", "Third", "Not in the index");
    WriteAll(Path("Inbox.imm"), first_ + second_ + third_);
    // The third message is no longer in the index.
    WriteAll(Path("Inbox.imh"), mailfiles::IndexHeader(0) +
                                    mailfiles::IndexEntry(static_cast<uint32_t>(first_.size())) +
                                    mailfiles::IndexEntry(static_cast<uint32_t>(second_.size())));
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Runs tessel with the arguments (a shell command line, paths quoted by the caller).
  Result Tessel(const std::string& args) {
    const std::string out = Path("stdout"), err = Path("stderr");
    const std::string command = std::string("'") + TESSEL_BINARY + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    Result run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
  }

  std::string Q(const std::string& name) const { return "'" + Path(name) + "'"; }

  tessel::testing::ScratchFolder scratch_;
  std::string dir_, first_, second_, third_;
};

TEST_F(TesselRun, ScanTsvOfAStoreListsEveryMessageExactly) {
  const Result run = Tessel("scan --format tsv " + Q("Inbox.imm"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const size_t a = first_.size(), b = second_.size(), c = third_.size();
  EXPECT_EQ(run.out, "Anna Berger <anna@example.org>\tFirst\ttom@example.net\tMon, 03 Mar 2008 09:14:22 +0100\t0\t" +
                         std::to_string(a) + "\n" +
                         "bob@example.com\tCaf\xE9\\tcr\xE8me\\\\\ttom@example.net\tMon, 03 Mar 2008 09:14:22 +0100\t" +
                         std::to_string(a) + "\t" + std::to_string(b) + "\n" +
                         "Carl <carl@example.com>\tThird\ttom@example.net\tMon, 03 Mar 2008 09:14:22 +0100\t" +
                         std::to_string(a + b) + "\t" + std::to_string(c) + "\n");
  EXPECT_TRUE(run.err.empty()) << "no progress bar when stderr is not a terminal";
}

TEST_F(TesselRun, ScanOfTheIndexListsIndexedMessages) {
  const Result run = Tessel("scan --format tsv " + Q("Inbox.imh"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.find("Third"), std::string::npos);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);

  const Result table = Tessel("scan " + Q("Inbox.imh"));
  EXPECT_EQ(table.exitCode, 0);
  EXPECT_EQ(table.out.rfind("    #  From", 0), 0u) << table.out;
  EXPECT_NE(table.out.find("2 messages in " + Path("Inbox.imm") + " (through the index"), std::string::npos);
}

TEST_F(TesselRun, ScanJsonIsUtf8) {
  const Result run = Tessel("scan --format json " + Q("Inbox.imm"));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("\"Caf\xC3\xA9\\tcr\xC3\xA8me\\\\\""), std::string::npos) << run.out;
  EXPECT_EQ(run.out.front(), '[');
}

TEST_F(TesselRun, ExportWritesEmlFilesByteForByte) {
  const Result run = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAll(Path("out/MailRec0001.eml")), first_);
  EXPECT_EQ(ReadAll(Path("out/MailRec0002.eml")), second_);
  EXPECT_EQ(ReadAll(Path("out/MailRec0003.eml")), third_);
  EXPECT_NE(run.out.find("wrote 3 messages"), std::string::npos);
}

TEST_F(TesselRun, ExportOnlyTheChosenRows) {
  const Result run = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out") + " --prefix Old --rows 1,3");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Exists(Path("out/Old0001.eml")));
  EXPECT_FALSE(Exists(Path("out/Old0002.eml")));
  EXPECT_EQ(ReadAll(Path("out/Old0003.eml")), third_);

  const Result missing = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out2") + " --rows 2,9");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("row 9 does not exist (the scan found 3 rows)"), std::string::npos);
  EXPECT_TRUE(Exists(Path("out2/MailRec0002.eml")));
}

TEST_F(TesselRun, ExportNeverOverwrites) {
  ASSERT_EQ(::mkdir(Path("out").c_str(), 0755), 0);
  WriteAll(Path("out/MailRec0002.eml"), "mine");
  const Result run = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("already exists"), std::string::npos);
  EXPECT_EQ(ReadAll(Path("out/MailRec0002.eml")), "mine");

  // Exporting into the store's own folder with a prefix that names the store.
  const std::string store = ReadAll(Path("Inbox.imm"));
  const Result mbox = Tessel("export " + Q("Inbox.imm") + " --to " + Q("") + " --format mbox --prefix Inbox");
  EXPECT_EQ(mbox.exitCode, 0) << mbox.err;  // Inbox.mbox is a new name
  const Result again = Tessel("export " + Q("Inbox.imm") + " --to " + Q("") + " --format mbox --prefix Inbox");
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(ReadAll(Path("Inbox.imm")), store);
}

TEST_F(TesselRun, ExportMboxQuotesFromLines) {
  const Result run = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out") + " --format mbox");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string mbox = ReadAll(Path("out/MailRec.mbox"));
  EXPECT_EQ(mbox.rfind("From anna@example.org Thu Jan  1 00:00:00 1970\nFrom: Anna Berger", 0), 0u);
  EXPECT_NE(mbox.find("\r\n>From the desk of Anna\r\n\nFrom bob@example.com "), std::string::npos);
  EXPECT_NE(mbox.find("\nFrom carl@example.com "), std::string::npos);
}

TEST_F(TesselRun, ShowWritesOneRecord) {
  Result run = Tessel("show " + Q("Inbox.imh") + " 2");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, second_);

  run = Tessel("show " + Q("Inbox.imh") + " 3");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("row 3 does not exist"), std::string::npos);

  run = Tessel("show " + Q("Inbox.imh") + " x");
  EXPECT_EQ(run.exitCode, 2);
}

TEST_F(TesselRun, MissingAndUnreadableFilesAreReported) {
  Result run = Tessel("scan " + Q("Nothing.imm"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("cannot open '" + Path("Nothing.imm") + "': No such file"), std::string::npos) << run.err;

  std::remove(Path("Inbox.imm").c_str());
  run = Tessel("scan " + Q("Inbox.imh"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("no message store for the index"), std::string::npos) << run.err;

  run = Tessel("contacts " + Q("") + " --to " + Q("book.txt"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("is a folder"), std::string::npos);

  if (::geteuid() != 0) {  // root reads everything
    ::chmod(Path("Inbox.imh").c_str(), 0);
    run = Tessel("scan " + Q("Inbox.imh"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos);
  }
}

TEST_F(TesselRun, WrongCommandLinesExitWithTwo) {
  EXPECT_EQ(Tessel("frobnicate").exitCode, 2);
  EXPECT_EQ(Tessel("scan --format xml " + Q("Inbox.imm")).exitCode, 2);
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm")).exitCode, 2);  // no --to
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm") + " --to " + Q("o") + " --prefix 'a/b'").exitCode, 2);
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm") + " --to " + Q("o") + " --rows 0").exitCode, 2);
  const Result help = Tessel("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("tessel contacts PATH --to FILE"), std::string::npos);
  EXPECT_NE(Tessel("contacts --help").out.find("AddBook.txt"), std::string::npos);
}

// An address book of three records; the second is wiped.
std::string AddressBook() {
  auto record = [](const std::string& first, const std::string& display, const std::string& email) {
    return mailfiles::ContactRecord({{1, first}, {4, display}, {5, email}});
  };
  return std::string(mailfiles::kAddressBookHeaderSize, 'H') + record("Anna", "Anna Berger", "anna@example.org") +
         record("", "", "") + record("Carl", "Carl Roux, Jr.", "carl@example.com");
}

TEST_F(TesselRun, ContactsInEveryFormat) {
  WriteAll(Path("Book.imb"), AddressBook());
  Result run = Tessel("scan --format tsv " + Q("Book.imb"));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("Carl Roux, Jr. \tcarl@example.com \t \tCarl \t", 0), 0u) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\t'), 3 * 22);

  run = Tessel("contacts " + Q("Book.imb") + " --to " + Q("book.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("wrote 2 contacts"), std::string::npos);
  EXPECT_EQ(ReadAll(Path("book.txt")),
            "Contact 1\r\nDisplay Name: Carl Roux, Jr.\r\nEmail: carl@example.com\r\n"
            "First Name: Carl\r\n\r\n"
            "Contact 3\r\nDisplay Name: Anna Berger\r\nEmail: anna@example.org\r\n"
            "First Name: Anna\r\n\r\n");

  run = Tessel("contacts " + Q("Book.imb") + " --to " + Q("book.txt"));
  EXPECT_EQ(run.exitCode, 1) << "never overwrites";

  ASSERT_EQ(::mkdir(Path("out").c_str(), 0755), 0);
  run = Tessel("contacts " + Q("Book.imb") + " --to " + Q("out") + " --format csv");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string csv = ReadAll(Path("out/AddBook.csv"));
  EXPECT_NE(csv.find("\r\n\"Carl Roux, Jr.\",carl@example.com,,Carl,"), std::string::npos) << csv;

  run = Tessel("contacts " + Q("Book.imb") + " --to " + Q("out") + " --format vcf");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string vcf = ReadAll(Path("out/AddBook.vcf"));
  EXPECT_EQ(vcf.rfind("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Carl;;;\r\nFN:Carl Roux\\, Jr.\r\n", 0), 0u) << vcf;
  EXPECT_EQ(std::count(vcf.begin(), vcf.end(), ':'), 2 * 6) << vcf;
}

}  // namespace
