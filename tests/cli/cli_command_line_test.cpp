// Parsing the command line and row lists: wrong input must be refused with a
// message, never half-understood.
#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli/row_selection.h"

namespace tessel::cli {
namespace {

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string message;
  auto line = ParseCommandLine(args, message);
  if (error != nullptr) *error = message;
  return line;
}

TEST(CommandLine, ScanWithOptionsInAnyPlace) {
  auto line = Parse({"scan", "--format", "tsv", "Inbox.imh"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, Command::kScan);
  EXPECT_EQ(line->format, "tsv");
  EXPECT_EQ(line->paths, std::vector<std::string>{"Inbox.imh"});
  EXPECT_FALSE(line->chosenAs);

  line = Parse({"scan", "book.dat", "--addressbook", "--format=json"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->chosenAs, ChosenAs::kAddressBook);
  EXPECT_EQ(line->format, "json");
  EXPECT_EQ(line->paths, std::vector<std::string>{"book.dat"});

  line = Parse({"scan", "--", "--odd-name.imm"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->paths, std::vector<std::string>{"--odd-name.imm"});
}

TEST(CommandLine, ExportContactsAndShow) {
  auto line = Parse({"export", "Inbox.imh", "--to", "out", "--prefix", "Old", "--rows", "1-3"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, Command::kExport);
  EXPECT_EQ(line->to, "out");
  EXPECT_EQ(line->prefix, "Old");
  EXPECT_EQ(line->rows, "1-3");

  line = Parse({"export", "Inbox.imh", "--to=out"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->prefix, "MailRec");

  line = Parse({"contacts", "Contacts.imb", "--to", "book.vcf", "--format", "vcf"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, Command::kContacts);

  line = Parse({"show", "Inbox.imm", "12"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, Command::kShow);
  EXPECT_EQ(line->row, "12");
}

TEST(CommandLine, Help) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{}, {"--help"}, {"-h"}, {"help"}}) {
    auto line = Parse(args);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->command, Command::kHelp);
    EXPECT_EQ(line->helpTopic, Command::kHelp);
  }
  auto line = Parse({"export", "--help"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, Command::kHelp);
  EXPECT_EQ(line->helpTopic, Command::kExport);
}

TEST(CommandLine, RefusesWhatItDoesNotKnow) {
  std::string error;
  EXPECT_FALSE(Parse({"recover", "x"}, &error));
  EXPECT_NE(error.find("unknown command 'recover'"), std::string::npos);
  EXPECT_FALSE(Parse({"scan", "--to", "x", "a.imm"}, &error));  // export's option
  EXPECT_NE(error.find("unknown option '--to'"), std::string::npos);
  EXPECT_FALSE(Parse({"export", "a.imm", "--store"}, &error));
  EXPECT_FALSE(Parse({"scan", "-x", "a.imm"}, &error));
  EXPECT_FALSE(Parse({"export", "a.imm", "--to"}, &error));
  EXPECT_NE(error.find("needs a value"), std::string::npos);
  EXPECT_FALSE(Parse({"scan"}, &error));
  EXPECT_NE(error.find("missing PATH"), std::string::npos);
  EXPECT_FALSE(Parse({"show", "a.imm"}, &error));
  EXPECT_NE(error.find("show: missing ROW"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"show"}, &error));
  EXPECT_NE(error.find("missing PATH and ROW"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"show", "a.imm", "1", "2"}, &error));
  EXPECT_FALSE(Parse({"scan", "--raw", "--addressbook", "a.bin"}, &error));
  EXPECT_FALSE(Parse({"scan", "--store=1", "a.imm"}, &error));
  // Views for people: one at a time, and --to only names an attachment's file.
  EXPECT_FALSE(Parse({"show", "--text", "--part", "1", "a.imm", "3"}, &error));
  EXPECT_FALSE(Parse({"show", "--to", "x.bin", "a.imm", "3"}, &error));
  EXPECT_FALSE(Parse({"export", "--readable", "a.imm", "--to", "x"}, &error));
  auto line = Parse({"show", "a.imm", "3", "--part=2", "--to", "x.bin"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->part, "2");
  EXPECT_EQ(line->to, "x.bin");
  EXPECT_EQ(line->row, "3");
}

RowSelection Rows(const char* text) {
  std::string error;
  auto selection = RowSelection::Parse(text, error);
  EXPECT_TRUE(selection) << text << ": " << error;
  return selection.value_or(RowSelection());
}

TEST(RowSelection, NumbersRangesAndOpenEnds) {
  const RowSelection mixed = Rows("2,5-7,10");
  for (long long row : {2, 5, 6, 7, 10}) EXPECT_TRUE(mixed.Contains(row)) << row;
  for (long long row : {1, 3, 4, 8, 9, 11}) EXPECT_FALSE(mixed.Contains(row)) << row;
  EXPECT_EQ(mixed.Highest(), 10);

  const RowSelection open = Rows("3,40-");
  EXPECT_TRUE(open.Contains(1000000));
  EXPECT_FALSE(open.Contains(39));
  EXPECT_EQ(open.Highest(), 0);

  EXPECT_TRUE(RowSelection().Contains(1));
  EXPECT_EQ(RowSelection().Highest(), 0);
}

TEST(RowSelection, RefusesMalformedLists) {
  for (const char* text : {"", "0", "-3", "a", "1,,2", "1,", "5-2", "1-2-3", " 1", "1.5", "99999999999999999999"}) {
    std::string error;
    EXPECT_FALSE(RowSelection::Parse(text, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

}  // namespace
}  // namespace tessel::cli
