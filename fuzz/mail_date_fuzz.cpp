// Dates of any text: a date read is a real calendar day and time, and written
// again in the standard's form it reads as the same moment.
#include <cstdio>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/mail_date.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<MailDate> date = ParseMailDate(text);
  if (!date) return 0;
  FUZZ_CHECK(date->month >= 1 && date->month <= 12 && date->day >= 1 && date->day <= 31);
  FUZZ_CHECK(date->hour >= 0 && date->hour <= 23 && date->minute >= 0 && date->minute <= 59);
  FUZZ_CHECK(date->year >= 1000 && date->year <= 9999);
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int zone = date->zoneMinutes < 0 ? -date->zoneMinutes : date->zoneMinutes;
  char standard[64];
  std::snprintf(standard, sizeof standard, "%d %s %04d %02d:%02d:%02d %c%02d%02d", date->day, kMonths[date->month - 1],
                date->year, date->hour, date->minute, date->second,
                date->zoneMinutes < 0 || !date->zoneKnown ? '-' : '+', zone / 60, zone % 60);
  const std::optional<MailDate> again = ParseMailDate(standard);
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(FormatUtc(*again) == FormatUtc(*date) && FormatLocal(*again) == FormatLocal(*date));
  return 0;
}
