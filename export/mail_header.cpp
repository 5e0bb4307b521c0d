#include "export/mail_header.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <vector>

#include "engine/header_line.h"

namespace tessel::exporting {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};
constexpr std::array<std::string_view, 7> kWeekdays = {"Thu", "Fri", "Sat", "Sun",
                                                       "Mon", "Tue", "Wed"};  // from 1970-01-01
// The zone names of the older date form, in hours east of UTC.
struct ZoneName {
  std::string_view name;
  int hours;
};
constexpr ZoneName kZoneNames[] = {{"ut", 0},   {"utc", 0},  {"gmt", 0},  {"z", 0},    {"est", -5}, {"edt", -4},
                                   {"cst", -6}, {"cdt", -5}, {"mst", -7}, {"mdt", -6}, {"pst", -8}, {"pdt", -7}};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Characters an address may hold in a "From " line: no space, bracket, quote,
// comma or control character.
bool IsAddressChar(char c) {
  return c > ' ' && c != '<' && c != '>' && c != '"' && c != ',' && c != '(' && c != ')' && c < 0x7F;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The text without its parenthesised comments (which may nest).
std::string WithoutComments(std::string_view text) {
  std::string out;
  int depth = 0;
  for (const char c : text) {
    if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
      if (depth == 0) out += ' ';
    } else if (depth == 0) {
      out += c;
    }
  }
  return out;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int Number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

// Days from 1970-01-01 to the date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// "hh:mm" or "hh:mm:ss", possibly with the zone joined on ("00:01+0000").
bool ParseTime(std::string_view token, int& seconds, std::string_view& rest) {
  int parts[3] = {0, 0, 0};
  int count = 0;
  size_t at = 0;
  while (count < 3) {
    size_t end = at;
    while (end < token.size() && std::isdigit(static_cast<unsigned char>(token[end]))) ++end;
    if (end == at || end - at > 2) return false;
    parts[count++] = Number(token.substr(at, end - at));
    at = end;
    if (at < token.size() && token[at] == ':') {
      ++at;
      continue;
    }
    break;
  }
  if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 60) return false;
  seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
  rest = token.substr(at);
  return true;
}

// "+0200", "-0500" or a zone name; offset in seconds east of UTC.
bool ParseZone(std::string_view token, int& offset) {
  if (token.size() == 5 && (token[0] == '+' || token[0] == '-') && AllDigits(token.substr(1))) {
    const int hours = Number(token.substr(1, 2)), minutes = Number(token.substr(3, 2));
    if (minutes > 59) return false;
    offset = (token[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    return true;
  }
  for (const ZoneName& zone : kZoneNames) {
    if (EqualsIgnoringCase(token, zone.name)) {
      offset = zone.hours * 3600;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string_view HeaderBlock(std::string_view message) {
  size_t lineStart = 0;
  while (lineStart < message.size()) {
    if (message[lineStart] == '\n') return message.substr(0, lineStart);
    if (message[lineStart] == '\r' && lineStart + 1 < message.size() && message[lineStart + 1] == '\n') {
      return message.substr(0, lineStart);
    }
    const size_t end = message.find('\n', lineStart);
    if (end == std::string_view::npos) break;
    lineStart = end + 1;
  }
  return message;
}

std::optional<std::string> HeaderValue(std::string_view header, std::string_view name) {
  // One line without its line end; `lineStart` moves past it.
  size_t lineStart = 0;
  const auto nextLine = [&] {
    size_t end = header.find('\n', lineStart);
    if (end == std::string_view::npos) end = header.size();
    std::string_view line = header.substr(lineStart, end - lineStart);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lineStart = end + 1;
    return line;
  };
  while (lineStart < header.size()) {
    const std::string_view line = nextLine();
    if (FieldNameColon(line) != name.size() || !EqualsIgnoringCase(line.substr(0, name.size()), name)) continue;
    std::string value(line.substr(name.size() + 1));
    // Lines that begin with white space continue the field: unfolding drops the line end only.
    while (lineStart < header.size() && IsContinuationLine(header.substr(lineStart))) value += nextLine();
    return std::string(Trimmed(value));
  }
  return std::nullopt;
}

std::string AddressIn(std::string_view value) {
  const size_t open = value.find('<');
  const size_t close = open == std::string_view::npos ? open : value.find('>', open);
  if (close != std::string_view::npos) {
    const std::string_view inside = Trimmed(value.substr(open + 1, close - open - 1));
    for (const char c : inside) {
      if (!IsAddressChar(c)) return {};
    }
    return std::string(inside);
  }
  // A word with text on both sides of an "@", comments included ("Tom (tom@example.net)").
  for (size_t at = value.find('@'); at != std::string_view::npos; at = value.find('@', at + 1)) {
    size_t first = at, last = at + 1;
    while (first > 0 && IsAddressChar(value[first - 1])) --first;
    while (last < value.size() && IsAddressChar(value[last])) ++last;
    if (first < at && last > at + 1) return std::string(value.substr(first, last - first));
  }
  // Else a local name alone ("foo").
  std::string bare(Trimmed(WithoutComments(value)));
  if (bare.empty() || bare.find('@') != std::string::npos) return {};
  for (const char c : bare) {
    if (!IsAddressChar(c)) return {};
  }
  return bare;
}

std::optional<std::int64_t> ParseMailDate(std::string_view value) {
  std::vector<std::string_view> tokens;
  const std::string text = WithoutComments(value);
  for (size_t at = 0; at < text.size();) {
    if (IsSpace(text[at]) || text[at] == ',') {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != ',') ++end;
    tokens.emplace_back(text.data() + at, end - at);
    at = end;
  }
  int day = 0, month = 0, time = -1, offset = 0;
  std::int64_t year = -1;
  bool zoneSeen = false;
  for (std::string_view token : tokens) {
    std::string_view rest;
    if (time < 0 && token.find(':') != std::string_view::npos && ParseTime(token, time, rest)) {
      if (!rest.empty() && !(zoneSeen = ParseZone(rest, offset))) return std::nullopt;
      continue;
    }
    if (month == 0 && token.size() >= 3) {
      bool found = false;
      for (size_t m = 0; m < kMonths.size() && !found; ++m) {
        if (EqualsIgnoringCase(token.substr(0, 3), kMonths[m])) {
          month = static_cast<int>(m) + 1;
          found = true;
        }
      }
      if (found) continue;
    }
    if (AllDigits(token)) {
      if (day == 0 && token.size() <= 2 && Number(token) >= 1) {
        day = Number(token);
      } else if (year < 0 && token.size() >= 2 && token.size() <= 4) {
        year = Number(token);
        if (token.size() == 2) year += year < 50 ? 2000 : 1900;
        if (token.size() == 3) year += 1900;
      }
      continue;
    }
    if (!zoneSeen && time >= 0 && ParseZone(token, offset)) zoneSeen = true;
    // Anything else (the weekday, an unknown zone) is passed over.
  }
  if (day == 0 || month == 0 || year < 0 || time < 0 || day > DaysInMonth(year, month)) return std::nullopt;
  return DaysFromCivil(year, month, day) * kSecondsPerDay + time - offset;
}

std::string AsctimeUtc(std::int64_t seconds) {
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t inDay = seconds % kSecondsPerDay;
  if (inDay < 0) {
    inDay += kSecondsPerDay;
    --days;
  }
  // Civil date from days (the inverse of DaysFromCivil).
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2);
  const int weekday = static_cast<int>(((days % 7) + 7) % 7);
  static constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[48];
  std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %lld", kWeekdays[weekday].data(), kMonthNames[month - 1],
                day, static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60),
                static_cast<long long>(year));
  return text;
}

}  // namespace tessel::exporting
