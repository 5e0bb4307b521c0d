// Dates in the standard's forms and in the broken ones real mail has.
#include <gtest/gtest.h>

#include "mail/mail_date.h"

namespace tessel::mail {
namespace {

TEST(MailDate, ReadsStandardObsoleteAndBrokenForms) {
  const struct {
    const char* text;
    const char* local;
    const char* utc;
  } cases[] = {
      {"Fri, 21 Nov 1997 09:55:06 -0600", "1997-11-21 09:55 -0600", "1997-11-21T15:55:06Z"},
      {"Thu,\r\n      13\r\n        Feb\r\n          1969\r\n      23:32\r\n               -0330 (Newfoundland Time)",
       "1969-02-13 23:32 -0330", "1969-02-14T03:02:00Z"},
      {"21 Nov 97 09:55:06 GMT", "1997-11-21 09:55 +0000", "1997-11-21T09:55:06Z"},
      {"Mon, 3 Mar 03 22:15 EST", "2003-03-03 22:15 -0500", "2003-03-04T03:15:00Z"},
      {"Sat, 1 Mar 2003 10:00:00 +0100 (CET)", "2003-03-01 10:00 +0100", "2003-03-01T09:00:00Z"},
      {"Tue Mar  4 10:00:00 2003", "2003-03-04 10:00 -0000", "2003-03-04T10:00:00Z"},
      {"4-Mar-2003 01:02:03 GMT-0500", "2003-03-04 01:02 -0500", "2003-03-04T06:02:03Z"},
      {"Wed, 31 Dec 2003 23:59:60 +1400", "2003-12-31 23:59 +1400", "2003-12-31T09:59:59Z"},
      {"Sun, 29 Feb 2004 12:00:00 -0000", "2004-02-29 12:00 -0000", "2004-02-29T12:00:00Z"},
      {"Thu, 2 Jan 103 8:05:09 +0000", "2003-01-02 08:05 +0000", "2003-01-02T08:05:09Z"},
      {"Friday, 5 September 2003 3:04 PM +0200", "2003-09-05 15:04 +0200", "2003-09-05T13:04:00Z"},
  };
  for (const auto& c : cases) {
    const std::optional<MailDate> date = ParseMailDate(c.text);
    ASSERT_TRUE(date.has_value()) << c.text;
    EXPECT_EQ(FormatLocal(*date), c.local) << c.text;
    EXPECT_EQ(FormatUtc(*date), c.utc) << c.text;
  }
  for (const char* unreadable : {"", "yesterday", "Mon, 3 Mar 2003", "30 Feb 2003 10:00 +0000", "3 Mar 2003 25:00",
                                 "Mar 2003 10:00:00", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 Mar 10:00"}) {
    EXPECT_FALSE(ParseMailDate(unreadable).has_value()) << unreadable;
  }
}

}  // namespace
}  // namespace tessel::mail
