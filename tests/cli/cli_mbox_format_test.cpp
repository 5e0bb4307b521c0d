// mboxrd quoting must be exact and independent of how the record arrives in
// chunks, or an import splits a message at a quoted "From " line.
#include <gtest/gtest.h>

#include "cli/mbox_format.h"

namespace tessel::cli {
namespace {

std::string Quoted(std::string_view message, size_t chunk) {
  MboxQuoter quoter;
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

TEST(MboxFromLine, UsesTheSendersAddress) {
  EXPECT_EQ(MboxFromLine("\"Anna Berger\" <anna.berger@example.org>"),
            "From anna.berger@example.org Thu Jan  1 00:00:00 1970\n");
  EXPECT_EQ(MboxFromLine("support@shop.example"), "From support@shop.example Thu Jan  1 00:00:00 1970\n");
  EXPECT_EQ(MboxFromLine("Tom (tom@example.net)"), "From tom@example.net Thu Jan  1 00:00:00 1970\n");
}

TEST(MboxFromLine, FallsBackWhenThereIsNoAddress) {
  for (const char* from : {"Unknown", "", "@", "a @ b", "<>", "x@"}) {
    EXPECT_EQ(MboxFromLine(from), "From MAILER-DAEMON Thu Jan  1 00:00:00 1970\n") << from;
  }
  // No space or control character may reach the separator line.
  const std::string line = MboxFromLine("Eve <e ve\r\n@x>");
  EXPECT_EQ(line.find('\r'), std::string::npos);
  EXPECT_EQ(line.find(' ', 5), line.find(" Thu"));
}

}  // namespace
}  // namespace tessel::cli
