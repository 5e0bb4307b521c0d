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
#include <vector>

#include "tests/cli/tessel_run.h"
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

using Result = tessel::testing::Run;

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
  Result Tessel(const std::string& args) { return tessel::testing::RunTessel(args, dir_); }

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

  // A row that does not exist is found before anything is created, and the
  // first one missing is named, whatever form the list takes.
  for (const auto& [rows, named] : std::vector<std::pair<std::string, std::string>>{
           {"2,9", "9"}, {"4", "4"}, {"4-", "4"}, {"5-9", "5"}, {"2-6,1", "4"}, {"9,1-", "9"}}) {
    const Result missing = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out2/new") + " --rows " + rows);
    EXPECT_EQ(missing.exitCode, 1) << rows;
    EXPECT_EQ(missing.err, "tessel: row " + named + " does not exist (the scan found 3 rows); nothing written\n")
        << rows;
    EXPECT_EQ(missing.out, "");
    EXPECT_FALSE(Exists(Path("out2")));
  }
  const Result last = Tessel("export " + Q("Inbox.imm") + " --to " + Q("out3") + " --rows 3-");
  EXPECT_EQ(last.exitCode, 0) << last.err;
  EXPECT_EQ(ReadAll(Path("out3/MailRec0003.eml")), third_);
}

// A record that runs past the end of a cut store (an entry of 990 bytes at
// offset 650 of a 1,300-byte store) is written as far as the store goes, and
// the command says so: show and both export formats.
TEST_F(TesselRun, ARecordCutByTheStoresEndIsWrittenAsFarAsItGoesAndReported) {
  std::string first = Message("anna@example.org", "Whole", "");
  first += std::string(650 - first.size() - 2, 'a') + "\r\n";
  std::string second = Message("bob@example.com", "Cut", "");
  second += std::string(990 - second.size(), 'b');
  WriteAll(Path("Cut.imm"), first + second.substr(0, 650));
  WriteAll(Path("Cut.imh"), mailfiles::IndexHeader(0) + mailfiles::IndexEntry(650) + mailfiles::IndexEntry(990));
  const std::string note = "tessel: row 2: the store ends 650 bytes into this message; wrote 650 of 990 bytes\n";

  const Result show = Tessel("show " + Q("Cut.imh") + " 2");
  EXPECT_EQ(show.exitCode, 0);
  EXPECT_EQ(show.out, second.substr(0, 650));
  EXPECT_EQ(show.err, note);

  const Result eml = Tessel("export " + Q("Cut.imh") + " --to " + Q("eml"));
  EXPECT_EQ(eml.exitCode, 0);
  EXPECT_EQ(eml.err, note);
  EXPECT_EQ(ReadAll(Path("eml/MailRec0001.eml")), first);
  EXPECT_EQ(ReadAll(Path("eml/MailRec0002.eml")), second.substr(0, 650));
  EXPECT_EQ(eml.out, "wrote 2 messages to " + Path("eml") +
                         " (MailRec0001.eml ... MailRec0002.eml); 1 cut short where the store ends\n");

  const Result mbox = Tessel("export " + Q("Cut.imh") + " --to " + Q("mbox") + " --format mbox --rows 2");
  EXPECT_EQ(mbox.exitCode, 0);
  EXPECT_EQ(mbox.err, note);
  EXPECT_EQ(mbox.out, "wrote 1 message to " + Path("mbox/MailRec.mbox") + "; 1 cut short where the store ends\n");
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

std::string WithLineEnd(std::string text, const std::string& lineEnd) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + lineEnd.size())) {
    text.replace(at, 2, lineEnd);
  }
  return text;
}

TEST_F(TesselRun, ExportMboxWithSenderDateLfAndQuotedFromLines) {
  // Sender and date from each message's own header; "From " in a body quoted.
  const std::string separator = " Mon Mar  3 08:14:22 2008\n";
  std::string quotedFirst = first_;
  quotedFirst.replace(quotedFirst.find("From the desk"), 4, ">From");
  for (const char* lineEnd : {"\n", "\r\n"}) {
    const bool crlf = std::string(lineEnd) == "\r\n";
    const std::string to = crlf ? "crlf" : "lf";
    const Result run =
        Tessel("export " + Q("Inbox.imm") + " --to " + Q(to) + " --format mbox" + (crlf ? " --crlf" : ""));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAll(Path(to + "/MailRec.mbox")),
              "From anna@example.org" + separator + WithLineEnd(quotedFirst, lineEnd) + "\n" + "From bob@example.com" +
                  separator + WithLineEnd(second_, lineEnd) + "\n" + "From carl@example.com" + separator +
                  WithLineEnd(third_, lineEnd) + "\n")
        << lineEnd;
  }
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm") + " --to " + Q("eml") + " --crlf").exitCode, 2)
      << "eml is always as stored";
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
  EXPECT_NE(run.err.find("no IncrediMail files (.imh, .imm, .imb) in the folder"), std::string::npos) << run.err;

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
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm") + " --to " + Q("o") + " --prefix 'a\x7F'").exitCode, 2) << "DEL";
  EXPECT_EQ(Tessel("export " + Q("Inbox.imm") + " --to " + Q("o") + " --rows 0").exitCode, 2);
  const Result version = Tessel("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("tessel 1.", 0), 0u) << version.out;
  const Result help = Tessel("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("tessel contacts PATH... --to FILE|DIR"), std::string::npos);
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

// Output that cannot be written is an error, whichever way it goes out.
TEST_F(TesselRun, AFullStandardOutputFailsTheCommand) {
  WriteAll(Path("Book.imb"), AddressBook());
  for (const std::string& args : std::vector<std::string>{
           "scan --format tsv " + Q("Inbox.imh"), "scan --format json " + Q("Inbox.imm"), "scan " + Q("Inbox.imm"),
           "scan --format tsv " + Q("Book.imb"), "scan --format json " + Q(""), "show " + Q("Inbox.imm") + " 1",
           "--help", "export --help", "--version", "contacts " + Q("Book.imb") + " --to " + Q("b.txt"),
           "export " + Q("Inbox.imh") + " --to " + Q("full")}) {
    const Result run =
        tessel::testing::RunCommand("(" + tessel::testing::TesselCommand() + " " + args + " >/dev/full)", dir_);
    EXPECT_EQ(run.exitCode, 1) << args;
    EXPECT_NE(run.err.find("standard output"), std::string::npos) << args << ": " << run.err;
  }
}

TEST_F(TesselRun, ContactsMakeTheirFolderAndWarnAboutFilesThatAreNoAddressBook) {
  WriteAll(Path("Book.imb"), AddressBook());
  Result run = Tessel("contacts " + Q("Book.imb") + " --to " + Q("new/folder/AddBook.csv"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAll(Path("new/folder/AddBook.csv")).rfind("Display Name,Email,", 0), 0u) << "csv by its name";
  EXPECT_TRUE(run.err.empty()) << run.err;

  // An address book under another name is read without a word; a store or an index is warned about first.
  WriteAll(Path("book.dat"), AddressBook());
  run = Tessel("contacts " + Q("book.dat") + " --to " + Q("dat.txt"));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.empty()) << run.err;
  for (const std::string& args : std::vector<std::string>{"contacts " + Q("Inbox.imm") + " --to " + Q("imm.txt"),
                                                          "scan --addressbook " + Q("Inbox.imh")}) {
    run = Tessel(args);
    EXPECT_EQ(run.exitCode, 0) << args;
    EXPECT_EQ(run.err.rfind("tessel: warning: '" + Path(args[0] == 'c' ? "Inbox.imm" : "Inbox.imh") +
                                "' does not end in .imb and does not look like an address book",
                            0),
              0u)
        << run.err;
  }
}

// Folder names are anyone's: where tessel prints a path for people (a table's
// heading, summaries, errors), what a terminal would act on is escaped; tsv and
// json keep the path, each quoted its own way.
TEST_F(TesselRun, PathsPrintedForPeopleShowControlCharactersEscaped) {
  const std::string odd = "odd\x1B[2J\xE2\x80\xAE";  // clears the screen, then reverses the line
  ASSERT_EQ(::mkdir(Path(odd).c_str(), 0755), 0);
  WriteAll(Path(odd + "/Inbox.imm"), ReadAll(Path("Inbox.imm")));
  WriteAll(Path(odd + "/Inbox.imh"), ReadAll(Path("Inbox.imh")));
  const std::string shown = dir_ + "/odd\\x1B[2J\\u202E";

  Result run = Tessel("scan " + Q(odd) + " " + Q("Inbox.imh"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind(shown + "/Inbox.imh\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("2 messages in " + shown + "/Inbox.imm (through the index " + shown + "/Inbox.imh)"),
            std::string::npos);
  EXPECT_EQ(run.out.find('\x1B'), std::string::npos);
  EXPECT_EQ(run.out.find("\xE2\x80\xAE"), std::string::npos);

  run = Tessel("scan --format tsv " + Q(odd));
  EXPECT_EQ(run.out.rfind(Path(odd) + "/Inbox.imh\t", 0), 0u) << run.out;
  run = Tessel("scan --format json " + Q(odd) + " " + Q("Inbox.imh"));
  EXPECT_NE(run.out.find("[\n{\"file\": \"" + dir_ + "/odd\\u001b[2J\xE2\x80\xAE/Inbox.imh\", \"rows\": ["),
            std::string::npos)
      << run.out;

  run = Tessel("export " + Q(odd + "/Inbox.imh") + " --to " + Q(odd + "/out"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("wrote 2 messages to " + shown + "/out (", 0), 0u) << run.out;
  run = Tessel("contacts " + Q(odd + "/Inbox.imh") + " --to " + Q(odd + "/c\a.txt"));
  EXPECT_EQ(run.err.rfind("tessel: warning: '" + shown + "/Inbox.imh' does not end in .imb", 0), 0u) << run.err;
  EXPECT_NE(run.out.find(" to " + shown + "/c\\x07.txt"), std::string::npos) << run.out;
  run = Tessel("show " + Q(odd + "/missing.imh") + " 1");
  EXPECT_EQ(run.err, "tessel: cannot open '" + shown + "/missing.imh': No such file or directory\n");
}

TEST_F(TesselRun, RawSearchesAFileAsAStoreWhateverItsName) {
  WriteAll(Path("FILE0001.CHK"), ReadAll(Path("Inbox.imm")));
  const Result raw = Tessel("scan --raw --format tsv " + Q("FILE0001.CHK"));
  EXPECT_EQ(raw.exitCode, 0) << raw.err;
  EXPECT_EQ(raw.out, Tessel("scan --format tsv " + Q("Inbox.imm")).out);
  EXPECT_EQ(Tessel("scan " + Q("FILE0001.CHK")).exitCode, 1) << "taken for an index without --raw";
  EXPECT_EQ(Tessel("show --raw " + Q("FILE0001.CHK") + " 3").out, third_);
  EXPECT_EQ(Tessel("export --raw " + Q("FILE0001.CHK") + " --to " + Q("out") + " --rows 2").exitCode, 0);
  EXPECT_EQ(ReadAll(Path("out/MailRec0002.eml")), second_);
}

std::string Cyrillic(const std::string& name) {
  std::string r(2466, '\0');
  r.replace(150, name.size(), name);
  return std::string(70, 'H') + r;
}

TEST_F(TesselRun, AddressBookTextIsConvertedFromItsCodePage) {
  WriteAll(Path("Ru.imb"), Cyrillic("\xCF\xE5\xF2\xF0"));  // Петр in Windows-1251
  Result run = Tessel("scan --format json --codepage 1251 " + Q("Ru.imb"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("[\n  [\"\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80 \", ", 0), 0u) << run.out;
  run = Tessel("contacts --codepage cp1251 " + Q("Ru.imb") + " --to " + Q("ru.vcf"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(ReadAll(Path("ru.vcf")).find("FN:\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\r\n"), std::string::npos);
  run = Tessel("contacts " + Q("Ru.imb") + " --to " + Q("ru.txt"));
  EXPECT_NE(ReadAll(Path("ru.txt")).find("Display Name: \xCF\xE5\xF2\xF0\r\n"), std::string::npos) << "txt as stored";
  EXPECT_EQ(Tessel("contacts --codepage 932 " + Q("Ru.imb") + " --to " + Q("jp.csv")).exitCode, 2);
}

// A folder export says what it could not move, shows file names on the
// terminal without letting them act on it, and never writes over a folder
// used before.
TEST_F(TesselRun, AFolderExportNamesWhatItLeavesOutAndRefusesAFolderUsedBefore) {
  ASSERT_EQ(::mkdir(Path("id").c_str(), 0755), 0);
  WriteAll(Path("id/Kept.imm"), third_);
  WriteAll(Path("id/Lost.imh"), ReadAll(Path("Inbox.imh")));
  const std::string odd = "Odd\x1B[2J\x07";
  WriteAll(Path("id/" + odd + ".imm"), third_);

  Result run = Tessel("export " + Q("id") + " --to " + Q("out") + " --format mbox");
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.out.find("Lost.imh (index without its store)\n  its store '" + Path("id/Lost.imm") + "' is missing"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("tessel: Lost.imh: its store"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find_first_of("\x1B\x07"), std::string::npos) << "the terminal is never acted on";
  EXPECT_NE(run.out.find("Odd\\x1B[2J\\x07.imm (store without an index)"), std::string::npos) << run.out;
  EXPECT_NE(ReadAll(Path("out/Recovery report.txt")).find(odd + ".imm (store without an index)"), std::string::npos)
      << "the report file keeps the name";
  EXPECT_EQ(ReadAll(Path("out/Kept.mbox")).rfind("From carl@example.com ", 0), 0u);

  const std::string report = ReadAll(Path("out/Recovery report.txt"));
  run = Tessel("export " + Q("id") + " --to " + Q("out") + " --format mbox");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tessel: '" + Path("out/Recovery report.txt") +
                         "' exists already, and nothing is ever overwritten: choose an output folder that is new or "
                         "empty\n");
  EXPECT_EQ(ReadAll(Path("out/Recovery report.txt")), report);
}

// An identity's folder: stores with and without an index, and an address book, in subfolders.
TEST_F(TesselRun, AFolderIsOneCommandForAWholeIdentity) {
  const std::string store = ReadAll(Path("Inbox.imm")), index = ReadAll(Path("Inbox.imh"));
  ASSERT_EQ(::mkdir(Path("id").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(Path("id/Message Store").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(Path("id/Addressbook").c_str(), 0755), 0);
  WriteAll(Path("id/Message Store/Inbox.imm"), store);
  WriteAll(Path("id/Message Store/Inbox.imh"), index);
  WriteAll(Path("id/Message Store/Sent Items.imm"), third_);
  WriteAll(Path("id/Message Store/notes.txt"), "not mail");
  WriteAll(Path("id/Addressbook/Book.imb"), AddressBook());

  Result run = Tessel("export " + Q("id") + " --to " + Q("mbox") + " --format mbox");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string inbox = ReadAll(Path("mbox/Message Store - Inbox.mbox"));
  EXPECT_EQ(inbox.rfind("From anna@example.org ", 0), 0u);
  EXPECT_EQ(inbox.find("From carl@"), std::string::npos) << "the index lists two messages";
  EXPECT_EQ(ReadAll(Path("mbox/Message Store - Inbox (found only in the store).mbox")).rfind("From carl@", 0), 0u)
      << "the third, no longer indexed, is kept apart";
  EXPECT_EQ(ReadAll(Path("mbox/Message Store - Sent Items.mbox")).rfind("From carl@example.com ", 0), 0u);
  EXPECT_EQ(ReadAll(Path("mbox/Addressbook - Book.vcf")).rfind("BEGIN:VCARD\r\n", 0), 0u);
  EXPECT_EQ(ReadAll(Path("mbox/Addressbook - Book.csv")).rfind("Display Name,Email,", 0), 0u);
  EXPECT_NE(run.out.find("\nreport: " + Path("mbox/Recovery report.txt") + "\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Message Store/Inbox.imh (index and store)\n  2 messages listed by the index -> "
                         "Message Store - Inbox.mbox\n  1 message found only in the store -> Message Store - Inbox "
                         "(found only in the store).mbox\n"),
            std::string::npos)
      << run.out;

  run = Tessel("export " + Q("id") + " --to " + Q("eml"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAll(Path("eml/Message Store - Inbox/MailRec0002.eml")), second_);
  EXPECT_EQ(ReadAll(Path("eml/Message Store - Inbox (found only in the store)/MailRec0001.eml")), third_);
  EXPECT_EQ(ReadAll(Path("eml/Message Store - Sent Items/MailRec0001.eml")), third_);
  EXPECT_EQ(Tessel("export " + Q("id") + " --to " + Q("eml")).exitCode, 1) << "never overwrites";
  EXPECT_EQ(ReadAll(Path("eml/Message Store - Inbox/MailRec0002.eml")), second_);
  EXPECT_EQ(Tessel("export " + Q("id") + " --to " + Q("x") + " --rows 1").exitCode, 2);
  EXPECT_EQ(Tessel("export " + Q("id") + " --to " + Q("x") + " --contacts csv").exitCode, 2) << "both are written";
  run = Tessel("export " + Q("id") + " --to " + Q("id/out"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("lies inside the folder"), std::string::npos) << run.err;

  run = Tessel("scan --format tsv " + Q("id"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3 + 2 + 1);  // contacts, Inbox, Sent Items
  EXPECT_NE(run.out.find("\n" + Path("id/Message Store/Sent Items.imm") + "\tCarl <carl@example.com>\t"),
            std::string::npos)
      << run.out;
  run = Tessel("scan --format json " + Q("id/Message Store/Sent Items.imm") + " " + Q("Inbox.imh"));
  EXPECT_EQ(run.out.rfind("[\n{\"file\": \"" + Path("id/Message Store/Sent Items.imm") + "\", \"rows\": [\n  [", 0), 0u)
      << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 6), "\n]}\n]\n");

  run = Tessel("contacts " + Q("id") + " " + Q("Book.imb") + " --to " + Q("books"));
  EXPECT_EQ(run.exitCode, 1) << "Book.imb is missing here";
  WriteAll(Path("Book.imb"), AddressBook());
  run = Tessel("contacts " + Q("id") + " " + Q("Book.imb") + " --to " + Q("books") + " --format vcf");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Exists(Path("books/Book.vcf")));
  EXPECT_TRUE(Exists(Path("books/Book (2).vcf")));

  // What cannot be read is named and passed over: the rest is listed, the JSON stays whole, the exit status is 1.
  ASSERT_EQ(::symlink("gone.imm", Path("id/Broken.imm").c_str()), 0);
  if (::geteuid() != 0) ::chmod(Path("id/Message Store/Sent Items.imm").c_str(), 0);  // root reads everything
  run = Tessel("scan --format json " + Q("id"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("left out '" + Path("id/Broken.imm") + "': No such file"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.rfind("[\n{\"file\": ", 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 4), "}\n]\n") << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '{'), ::geteuid() != 0 ? 2 : 3) << run.out;
}

}  // namespace
