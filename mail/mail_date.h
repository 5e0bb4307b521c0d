// The Date field as real mail writes it: RFC 5322 dates and the obsolete and
// broken forms (two- and three-digit years, named zones, no seconds, no
// weekday, full month names, the C library's "Tue Mar  4 10:00:00 2003").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessel::mail {

struct MailDate {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int zoneMinutes = 0;     // east of UTC
  bool zoneKnown = false;  // false: no zone, or one that says nothing ("-0000", military letters)
};

// Nothing when the text holds no whole date and time.
std::optional<MailDate> ParseMailDate(std::string_view text);

// "2003-03-04 10:00 +0100", in the date's own zone ("-0000" when unknown).
std::string FormatLocal(const MailDate& date);
// "2003-03-04T09:00:00Z": the same moment in UTC (an unknown zone taken as UTC).
std::string FormatUtc(const MailDate& date);

}  // namespace tessel::mail
