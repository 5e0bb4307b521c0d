// The header fields behind an mbox "From " line: dates in every form that real
// mail carries them, and fields found as mail readers find them.
#include <gtest/gtest.h>

#include "export/mail_header.h"

namespace tessel::exporting {
namespace {

std::string Date(std::string_view value) {
  const auto seconds = ParseMailDate(value);
  return seconds ? AsctimeUtc(*seconds) : "none";
}

TEST(MailDate, ReadsTheFormsMailCarries) {
  EXPECT_EQ(Date("Fri, 20 Apr 2001 19:35:02 -0400 (EDT)"), "Fri Apr 20 23:35:02 2001");
  EXPECT_EQ(Date("Mon, 01 Feb 2010 12:21:16 +0100"), "Mon Feb  1 11:21:16 2010");
  EXPECT_EQ(Date("01 Jan 2001 00:01+0000"), "Mon Jan  1 00:01:00 2001");  // no weekday, seconds or space
  EXPECT_EQ(Date("Sun, 23 Sep 2001 20:14:35 PDT"), "Mon Sep 24 03:14:35 2001");
  EXPECT_EQ(Date("5 Jan 99 10:00 EST"), "Tue Jan  5 15:00:00 1999");
  EXPECT_EQ(Date("5 jan 03 10:00:00"), "Sun Jan  5 10:00:00 2003");         // no zone: UTC
  EXPECT_EQ(Date("Tue Mar  4 09:05:00 2008"), "Tue Mar  4 09:05:00 2008");  // asctime itself
  EXPECT_EQ(Date("Thu, 1 Jan 1970 00:30:00 +0100"), "Wed Dec 31 23:30:00 1969");
  EXPECT_EQ(Date("Tue, 29 Feb 2000 23:59:59 -1200"), "Wed Mar  1 11:59:59 2000");
}

TEST(MailDate, RefusesWhatIsNoDate) {
  for (const char* text : {"", "yesterday", "Fri, 20 Apr 2001", "31 Feb 2001 10:00", "29 Feb 2001 10:00",
                           "20 Apr 2001 24:00", "20 Apr 2001 10:60", "20 Apr 2001 10:00+9", "20 Foo 2001 10:00"}) {
    EXPECT_EQ(Date(text), "none") << text;
  }
}

TEST(MailHeader, FieldsAnyCaseUnfoldedWithinTheHeaderBlock) {
  const std::string message =
      "Subject: one\r\n two\r\n\tthree\r\nreturn-PATH:  <a@b.c> \r\nDate: x\r\n\r\nFrom: body@x.y\r\n";
  const std::string_view header = HeaderBlock(message);
  EXPECT_EQ(header.size(), message.find("\r\n\r\n") + 2);
  EXPECT_EQ(HeaderValue(header, "subject"), "one two\tthree");
  EXPECT_EQ(HeaderValue(header, "Return-Path"), "<a@b.c>");
  EXPECT_FALSE(HeaderValue(header, "From"));  // only in the body
  EXPECT_FALSE(HeaderValue("X-Date: y\n", "Date"));
  EXPECT_EQ(HeaderBlock("A: b\nC: d"), "A: b\nC: d");
  EXPECT_EQ(HeaderBlock("A: b\n\nbody"), "A: b\n");
}

}  // namespace
}  // namespace tessel::exporting
