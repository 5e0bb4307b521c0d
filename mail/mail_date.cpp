#include "mail/mail_date.h"

#include <array>

#include "mail/header_block.h"

namespace tessel::mail {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};

struct NamedZone {
  std::string_view name;
  int minutes;
};

// The zones RFC 5322 names, and the ones mail programs wrote anyway.
constexpr NamedZone kZones[] = {
    {"ut", 0},         {"utc", 0},        {"gmt", 0},        {"z", 0},         {"est", -5 * 60}, {"edt", -4 * 60},
    {"cst", -6 * 60},  {"cdt", -5 * 60},  {"mst", -7 * 60},  {"mdt", -6 * 60}, {"pst", -8 * 60}, {"pdt", -7 * 60},
    {"bst", 60},       {"cet", 60},       {"met", 60},       {"cest", 120},    {"mest", 120},    {"eet", 120},
    {"eest", 180},     {"msk", 180},      {"ist", 330},      {"jst", 540},     {"kst", 540},     {"hkt", 480},
    {"akst", -9 * 60}, {"akdt", -8 * 60}, {"hst", -10 * 60}, {"aest", 600},    {"aedt", 660},    {"nzst", 720},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Digits as a number; -1 when `text` is not 1 to 4 digits.
int Number(std::string_view text) {
  if (text.empty() || text.size() > 4) return -1;
  int value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

int MonthOf(std::string_view word) {
  if (word.size() < 3) return 0;
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (EqualsIgnoringCase(word.substr(0, 3), kMonths[i])) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Days since 1970-01-01 of a civil date (valid for any year here).
long long DaysFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// "+0100", "-05:00", "+1": a numeric zone; false when `token` is not one.
bool ReadNumericZone(std::string_view token, MailDate& date) {
  if (token.size() < 2 || (token[0] != '+' && token[0] != '-')) return false;
  std::string digits;
  for (const char c : token.substr(1)) {
    if (c != ':') digits += c;
  }
  int value = Number(digits);
  if (value < 0) return false;
  if (digits.size() <= 2) value *= 100;  // "+1", "+01": hours
  const int hours = value / 100, minutes = value % 100;
  if (hours > 23 || minutes > 59) return false;
  date.zoneMinutes = (token[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
  // "-0000" says the zone is not known.
  date.zoneKnown = !(token[0] == '-' && date.zoneMinutes == 0);
  return true;
}

bool ReadNamedZone(std::string_view token, MailDate& date) {
  for (const NamedZone& zone : kZones) {
    if (EqualsIgnoringCase(token, zone.name)) {
      date.zoneMinutes = zone.minutes;
      date.zoneKnown = true;
      return true;
    }
  }
  return false;
}

bool ReadTime(std::string_view token, MailDate& date) {
  int parts[3] = {-1, -1, 0};
  std::size_t count = 0;
  while (count < 3) {
    const std::size_t colon = token.find(':');
    parts[count++] = Number(token.substr(0, colon));
    if (colon == std::string_view::npos) break;
    token.remove_prefix(colon + 1);
  }
  if (count < 2 || parts[0] < 0 || parts[0] > 23 || parts[1] < 0 || parts[1] > 59 || parts[2] < 0 || parts[2] > 60) {
    return false;
  }
  date.hour = parts[0];
  date.minute = parts[1];
  date.second = parts[2];
  return true;
}

// True when the hyphen at `at` joins a date's parts ("4-Mar-2003") rather
// than signing a zone ("GMT-0500", " -0500").
bool IsDateHyphen(std::string_view text, std::size_t at) {
  if (at + 1 < text.size() && IsAlpha(text[at + 1])) return true;
  std::size_t word = at;
  while (word > 0 && at - word < 9 && IsAlpha(text[word - 1])) --word;
  return word < at && MonthOf(text.substr(word, at - word)) > 0;
}

// The words of a date: comments dropped; commas, spaces and (between a date's
// parts) hyphens and dots split it. A time keeps its colons, a zone its sign.
struct TokenList {
  static constexpr std::size_t kMost = 16;  // more words than any date has
  std::array<std::string_view, kMost> items;
  std::size_t count = 0;
  const std::string_view* begin() const { return items.data(); }
  const std::string_view* end() const { return items.data() + count; }
};

TokenList Tokens(std::string_view text) {
  TokenList tokens;
  std::size_t i = 0;
  int depth = 0;
  while (i < text.size() && tokens.count < TokenList::kMost) {
    const char c = text[i];
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) {
      --depth;
      ++i;
      continue;
    }
    if (depth > 0 || c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '/' || c == '.' ||
        (c == '-' && IsDateHyphen(text, i))) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size()) {
      const char d = text[end];
      if (d == ' ' || d == '\t' || d == ',' || d == '(' || d == '\r' || d == '\n' || d == '/' || d == '.') break;
      // "4-Mar-2003": a hyphen after a letter or a day ends the word
      if (d == '-' && (IsAlpha(text[end - 1]) || (IsDigit(text[i]) && IsDigit(text[end - 1]) && c != '+'))) break;
      if ((d == '+' || d == '-') && IsAlpha(text[end - 1])) break;  // "GMT+0100"
      ++end;
    }
    tokens.items[tokens.count++] = text.substr(i, end - i);
    i = end;
  }
  return tokens;
}

// Writes `value` as `count` digits at `at` (the lowest ones, for a year past 9999).
void Digits(std::string& text, std::size_t at, int value, std::size_t count) {
  for (std::size_t i = count; i > 0; --i) {
    text[at + i - 1] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

std::optional<MailDate> ParseMailDate(std::string_view text) {
  MailDate date;
  bool haveTime = false, haveZone = false, numericZone = false;
  int numbers[2] = {-1, -1};  // day and year, in the order written
  int digitsOfYear = 0;
  std::size_t numberCount = 0;
  bool pm = false, am = false;
  for (const std::string_view token : Tokens(text)) {
    if (!haveTime && token.find(':') != std::string_view::npos && IsDigit(token[0])) {
      haveTime = ReadTime(token, date);
      if (!haveTime) return std::nullopt;
    } else if (IsDigit(token[0])) {
      if (numberCount == 2) continue;
      const int value = Number(token);
      if (value < 0) return std::nullopt;
      if (numberCount == 1 || value > 31 || token.size() >= 3) digitsOfYear = static_cast<int>(token.size());
      numbers[numberCount++] = value;
    } else if (token[0] == '+' || token[0] == '-') {
      // A number after a zone's name ("GMT-0500") says more than the name.
      if (!numericZone && ReadNumericZone(token, date)) haveZone = numericZone = true;
    } else if (const int month = MonthOf(token); month > 0 && date.month == 0) {
      date.month = month;
    } else if (EqualsIgnoringCase(token, "pm")) {
      pm = true;
    } else if (EqualsIgnoringCase(token, "am")) {
      am = true;
    } else if (!haveZone && ReadNamedZone(token, date)) {
      haveZone = true;
    }
  }
  if (!haveTime || date.month == 0 || numberCount < 2) return std::nullopt;
  // "4 Mar 2003", or "Mar 4 ... 2003" and "2003 Mar 4": the year is the one too large to be a day.
  int day = numbers[0], year = numbers[1];
  if (day > 31) std::swap(day, year);
  if (year < 0 || day < 1) return std::nullopt;
  if (digitsOfYear <= 2 && year < 100) {
    year += year < 50 ? 2000 : 1900;
  } else if (year < 1000) {
    year += 1900;  // years counted from 1900 ("103")
  }
  date.year = year;
  date.day = day;
  if (date.day > DaysInMonth(date.year, date.month)) return std::nullopt;
  if (pm && date.hour < 12) date.hour += 12;
  if (am && date.hour == 12) date.hour = 0;
  return date;
}

std::string FormatLocal(const MailDate& date) {
  const int offset = date.zoneMinutes < 0 ? -date.zoneMinutes : date.zoneMinutes;
  std::string text = "0000-00-00 00:00 +0000";
  Digits(text, 0, date.year, 4);
  Digits(text, 5, date.month, 2);
  Digits(text, 8, date.day, 2);
  Digits(text, 11, date.hour, 2);
  Digits(text, 14, date.minute, 2);
  text[17] = date.zoneMinutes < 0 || !date.zoneKnown ? '-' : '+';
  Digits(text, 18, offset / 60, 2);
  Digits(text, 20, offset % 60, 2);
  return text;
}

std::string FormatUtc(const MailDate& date) {
  const long long minutes =
      (DaysFromCivil(date.year, date.month, date.day) * 24 + date.hour) * 60 + date.minute - date.zoneMinutes;
  long long days = minutes / (24 * 60);
  long long inDay = minutes % (24 * 60);
  if (inDay < 0) {
    inDay += 24 * 60;
    --days;
  }
  int year = 0, month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  std::string text = "0000-00-00T00:00:00Z";
  Digits(text, 0, year, 4);
  Digits(text, 5, month, 2);
  Digits(text, 8, day, 2);
  Digits(text, 11, static_cast<int>(inDay / 60), 2);
  Digits(text, 14, static_cast<int>(inDay % 60), 2);
  Digits(text, 17, date.second > 59 ? 59 : date.second, 2);
  return text;
}

}  // namespace tessel::mail
