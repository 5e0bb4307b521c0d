// mboxrd quoting must be exact and independent of how the record arrives in
// chunks, or an import splits a message at a quoted "From " line.
#include <gtest/gtest.h>

#include "export/mbox_format.h"

namespace tessel::exporting {
namespace {

// Quoted with the stored line ends kept, unless `toLf`.
std::string Quoted(std::string_view message, size_t chunk, bool toLf = false) {
  MboxQuoter quoter(!toLf);
  std::string out;
  for (size_t at = 0; at < message.size(); at += chunk) {
    quoter.Append(out, message.substr(at, chunk));
  }
  quoter.Finish(out);
  return out;
}

// Reverses mboxrd quoting: one ">" less before every ">+From " line start.
std::string Unquoted(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lineStart && text[i] == '>') {
      size_t j = i;
      while (j < text.size() && text[j] == '>') ++j;
      if (text.substr(j, 5) == "From ") ++i;
    }
    out += text[i];
    lineStart = text[i] == '\n';
  }
  return out;
}

TEST(MboxQuoting, QuotesFromLinesAtAnyDepth) {
  const std::string message =
      "Subject: x\r\n\r\nFrom the desk\r\n>From the chair\r\n>>From here\r\n"
      "From:no space\r\nFrom\r\n From indented\r\nsaid From me\r\n";
  EXPECT_EQ(Quoted(message, 4096),
            "Subject: x\r\n\r\n>From the desk\r\n>>From the chair\r\n>>>From here\r\n"
            "From:no space\r\nFrom\r\n From indented\r\nsaid From me\r\n\n");
}

TEST(MboxQuoting, SameResultWhateverTheChunks) {
  const std::string message = "From a\n>From b\n>>>x\n>\nFro\nFrom \n>>From >From c\r\n\r\nFrom";
  const std::string whole = Quoted(message, message.size());
  for (size_t chunk = 1; chunk < 9; ++chunk) EXPECT_EQ(Quoted(message, chunk), whole) << chunk;
  EXPECT_EQ(whole, ">From a\n>>From b\n>>>x\n>\nFro\n>From \n>>>From >From c\r\n\r\nFrom\n\n");
  EXPECT_EQ(Unquoted(whole.substr(0, whole.size() - 2)), message);
}

TEST(MboxQuoting, EndsEveryMessageWithALineAndAnEmptyLine) {
  EXPECT_EQ(Quoted("body", 3), "body\n\n");
  EXPECT_EQ(Quoted("body\r\n", 3), "body\r\n\n");
  EXPECT_EQ(Quoted(">>", 1), ">>\n\n");  // a held line start is written at the end
  EXPECT_EQ(Quoted("", 1), "\n");
}

TEST(MboxQuoting, QuoterStartsFreshAfterFinish) {
  MboxQuoter quoter;
  std::string out;
  quoter.Append(out, "a\n>Fr");
  quoter.Finish(out);
  quoter.Append(out, "From x");
  quoter.Finish(out);
  EXPECT_EQ(out, "a\n>Fr\n\n>From x\n\n");
}

TEST(MboxQuoting, CrLfBecomesLfWhateverTheChunks) {
  const std::string message = "A: b\r\n\r\nFrom x\r\nlone\rcr\r\r\nend\r";
  for (size_t chunk = 1; chunk < 7; ++chunk) {
    EXPECT_EQ(Quoted(message, chunk, true), "A: b\n\n>From x\nlone\rcr\r\nend\r\n\n") << chunk;
  }
}

std::string FromLine(const std::string& header) { return MboxFromLine(header); }

TEST(MboxFromLine, SenderFromReturnPathThenFrom) {
  EXPECT_EQ(FromLine("From: \"Anna Berger\" <anna.berger@example.org>\r\n"),
            "From anna.berger@example.org Thu Jan  1 00:00:00 1970\n");
  EXPECT_EQ(FromLine("from: Anna <anna@example.org>\r\nReturn-Path: <bounce@list.example>\r\n"),
            "From bounce@list.example Thu Jan  1 00:00:00 1970\n");
  EXPECT_EQ(FromLine("FROM: Tom (tom@example.net)\n"), "From tom@example.net Thu Jan  1 00:00:00 1970\n");
  EXPECT_EQ(FromLine("From: foo\n"), "From foo Thu Jan  1 00:00:00 1970\n");
  // A bounce's empty Return-Path, and a From that is only a name.
  EXPECT_EQ(FromLine("Return-Path: <>\nFrom: Mail System\n"), "From MAILER-DAEMON Thu Jan  1 00:00:00 1970\n");
  for (const char* from : {"", "@", "a @ b", "x@", "Eve <e ve\r\n@x>"}) {
    const std::string line = FromLine(std::string("From: ") + from + "\r\n");
    EXPECT_EQ(line, "From MAILER-DAEMON Thu Jan  1 00:00:00 1970\n") << from;
  }
}

TEST(MboxFromLine, DateFromDateThenFirstReceived) {
  const std::string received =
      "Received: from a.example by b.example;\r\n\tMon, 30 Apr 2001 12:17:50 +0200\r\n"
      "Received: from c.example by a.example; Sun, 29 Apr 2001 08:00:00 +0000\r\n";
  EXPECT_EQ(FromLine("From: a@b.c\r\n" + received), "From a@b.c Mon Apr 30 10:17:50 2001\n");
  EXPECT_EQ(FromLine("Date: Fri, 20 Apr 2001 19:35:02 -0400 (EDT)\r\n" + received),
            "From MAILER-DAEMON Fri Apr 20 23:35:02 2001\n");
  // A Date that is no date falls back to Received.
  EXPECT_EQ(FromLine("Date: soon\r\n" + received), "From MAILER-DAEMON Mon Apr 30 10:17:50 2001\n");
}

}  // namespace
}  // namespace tessel::exporting
