// Real mail that nobody on this project wrote: the email test messages of
// Python's standard library, made into a store and index by email_store.py
// when the test runs. Every message must come out of the store as it went in,
// and the mbox must carry the sender and date that Python's own header parsing
// finds.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/tessel_run.h"
#include "tests/support/scratch_folder.h"

namespace {

using tessel::testing::Quoted;
using tessel::testing::ReadAll;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Lf(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

// The messages of an mbox by its "From " lines; the quoting of "From " lines undone.
std::vector<std::string> Messages(const std::string& mbox, const std::vector<std::string>& fromLines) {
  std::vector<std::string> messages;
  size_t at = 0;
  for (size_t i = 0; i < fromLines.size(); ++i) {
    const std::string opening = fromLines[i] + "\n";
    if (mbox.compare(at, opening.size(), opening) != 0) break;
    at += opening.size();
    const size_t next = i + 1 < fromLines.size() ? mbox.find("\n" + fromLines[i + 1] + "\n", at) : mbox.size() - 1;
    std::string message = mbox.substr(at, next - at);  // without the separating empty line
    for (size_t q = message.find(">From "); q != std::string::npos; q = message.find(">From ", q + 1)) {
      size_t start = q;
      while (start > 0 && message[start - 1] == '>') --start;
      if (start == 0 || message[start - 1] == '\n') message.erase(q, 1);
    }
    messages.push_back(message);
    at = next + 1;
  }
  return messages;
}

class RealMail : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Root();
    const int status =
        std::system(("python3 " + Quoted(EMAIL_STORE_SCRIPT) + " " + Quoted(dir_) + " >/dev/null").c_str());
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "Python's email test messages are not on this machine";
    ASSERT_EQ(status, 0);
    fromLines_ = Lines(ReadAll(dir_ + "/from_lines.txt"));
    ASSERT_GT(fromLines_.size(), 30u);
  }

  std::string Message(size_t i) const {
    char name[40];
    std::snprintf(name, sizeof name, "/%03zu.eml", i + 1);
    return ReadAll(dir_ + "/messages" + name);
  }

  tessel::testing::Run Tessel(const std::string& args) { return tessel::testing::RunTessel(args, dir_); }
  std::string Q(const std::string& name) const { return Quoted(dir_ + "/" + name); }

  tessel::testing::ScratchFolder scratch_;
  std::string dir_;
  std::vector<std::string> fromLines_;
};

TEST_F(RealMail, EveryMessageComesOutAsStored) {
  const auto run = Tessel("scan --format tsv " + Q("Inbox.imh"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Lines(run.out).size(), fromLines_.size());
  ASSERT_EQ(Tessel("export " + Q("Inbox.imh") + " --to " + Q("eml")).exitCode, 0);
  for (size_t i = 0; i < fromLines_.size(); ++i) {
    char name[48];
    std::snprintf(name, sizeof name, "/eml/MailRec%04zu.eml", i + 1);
    EXPECT_EQ(ReadAll(dir_ + name), Message(i)) << name;
  }
}

TEST_F(RealMail, MboxLinesAreWhatPythonReadsAndMessagesSurviveTheQuoting) {
  ASSERT_EQ(Tessel("export " + Q("Inbox.imh") + " --to " + Q("lf") + " --format mbox").exitCode, 0);
  ASSERT_EQ(Tessel("export " + Q("Inbox.imh") + " --to " + Q("crlf") + " --format mbox --crlf").exitCode, 0);
  const std::string lf = ReadAll(dir_ + "/lf/MailRec.mbox"), crlf = ReadAll(dir_ + "/crlf/MailRec.mbox");
  EXPECT_EQ(lf.find('\r'), std::string::npos);
  const std::vector<std::string> lfMessages = Messages(lf, fromLines_), crlfMessages = Messages(crlf, fromLines_);
  ASSERT_EQ(lfMessages.size(), fromLines_.size())
      << "the From lines differ from Python's at message " << lfMessages.size() + 1;
  ASSERT_EQ(crlfMessages.size(), fromLines_.size());
  for (size_t i = 0; i < fromLines_.size(); ++i) {
    std::string stored = Message(i);
    if (stored.back() != '\n') stored += "\r\n";
    EXPECT_EQ(crlfMessages[i], stored) << i;
    EXPECT_EQ(lfMessages[i], Lf(stored)) << i;
  }
  // Python's own mbox reader finds every message.
  const auto count = tessel::testing::RunCommand(
      "python3 -c 'import mailbox,sys; print(len(mailbox.mbox(sys.argv[1])))' " + Q("lf/MailRec.mbox"), dir_);
  EXPECT_EQ(count.out, std::to_string(fromLines_.size()) + "\n") << count.err;
}

// The deep scan over the same messages with every fourth one deleted from the
// index: each message is listed once, at its own offset, and says whether the
// index still lists it. Every message whose header block is intact (as Python
// reads it) is a row of its own, byte for byte; one whose header holds no line
// that opens mail (a bare body, a lone Content-Type) ends up inside the one
// before, or in a row of unclaimed bytes after an index record.
TEST_F(RealMail, DeepScanListsEveryMessageOnceAndTellsTheDeletedOnes) {
  std::string index("\x56\x23\x30\x34\x3C\x12\x08\x49\0\0\0\0", 12);
  std::vector<long long> offsets;
  long long offset = 0;
  for (size_t i = 0; i < fromLines_.size(); ++i) {
    const long long length = static_cast<long long>(Message(i).size());
    offsets.push_back(offset);
    offset += length;
    if (i % 4 == 1) continue;  // deleted: its bytes stay in the store
    index += std::string("\0\0\3\0", 4);
    for (int b = 0; b < 4; ++b) index += static_cast<char>((length >> (8 * b)) & 0xFF);
  }
  std::ofstream(dir_ + "/Deleted.imh", std::ios::binary) << index;
  std::ofstream(dir_ + "/Deleted.imm", std::ios::binary) << ReadAll(dir_ + "/Inbox.imm");

  for (const std::string& input : {std::string("Deleted.imh"), std::string("Inbox.imm")}) {
    SCOPED_TRACE(input);
    const auto run = Tessel("scan --deep --format tsv " + Q(input));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> intact = Lines(ReadAll(dir_ + "/intact.txt"));
    ASSERT_EQ(intact.size(), offsets.size());
    std::vector<bool> listed(offsets.size());
    size_t row = 0;
    for (const std::string& line : Lines(run.out)) {
      std::vector<std::string> cells;
      std::stringstream in(line);
      for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
      ASSERT_EQ(cells.size(), 7u) << line;
      const long long start = std::stoll(cells[4]), length = std::stoll(cells[5]);
      // Never a row that starts inside a message: none is cut in two.
      while (row < offsets.size() && offsets[row] < start) ++row;
      ASSERT_LT(row, offsets.size()) << line;
      ASSERT_EQ(offsets[row], start) << line;
      const bool indexed = input == "Deleted.imh" && row % 4 != 1;
      // Bytes no message claims are a row of their own: a message without a header.
      EXPECT_EQ(cells[6], indexed ? "index" : intact[row] == "1" ? "store" : "unclaimed") << line;
      listed[row] = true;
      if (indexed || row + 1 == offsets.size() || intact[row + 1] == "1") {
        EXPECT_EQ(length, static_cast<long long>(Message(row).size())) << line;
      }
    }
    for (size_t i = 0; i < offsets.size(); ++i) EXPECT_TRUE(listed[i] || intact[i] == "0") << "message " << i + 1;
  }
  // The second message is deleted: show and export number rows as the deep
  // scan does, and the table marks the row.
  const auto shown = Tessel("show --deep " + Q("Deleted.imh") + " 2");
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, Message(1));
  ASSERT_EQ(Tessel("export --deep " + Q("Deleted.imh") + " --rows 2 --to " + Q("deep")).exitCode, 0);
  EXPECT_EQ(ReadAll(dir_ + "/deep/MailRec0002.eml"), Message(1));
  const auto table = Tessel("scan --deep " + Q("Deleted.imh"));
  EXPECT_NE(table.out.find("\n   2* "), std::string::npos) << table.out;
  EXPECT_EQ(table.out.find("\n   1* "), std::string::npos) << table.out;
}

}  // namespace
