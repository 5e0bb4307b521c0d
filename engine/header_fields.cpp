// The header field rules, in one pass over the text: every field name ends in
// its only colon and counts only where a line begins, so a look before each
// colon (rare in bodies, and found with memchr) finds the first occurrence of
// every spelling at once.
#include <cstring>

#include "engine/message_extraction.h"
#include "engine/message_row.h"

namespace tessel {
namespace {

struct FieldRule {
  std::string_view names[3];  // searched in this order; the first that occurs wins
  bool isTo;                  // To keeps the blank after its colon and ends at ">" too
  const char* fallback;
};

// Cells 0 to 3, in cell order.
constexpr FieldRule kRules[4] = {
    {{"From:", "from:", "FROM:"}, false, "Unknown"},
    {{"Subject:", "SUBJECT:", "subject:"}, false, "Unknown"},
    {{"to:", "TO:", "To:"}, true, "none"},
    {{"date:", "DATE:", "Date:"}, false, "Unknown"},
};
constexpr std::size_t kNotFound = std::string_view::npos;

// The spellings that begin with each byte, so that a line start is compared
// only with the few names it could open.
struct Spelling {
  int field;
  int variant;
};
struct SpellingsByFirstByte {
  Spelling entries[256][3];
  int count[256] = {};
  constexpr SpellingsByFirstByte() : entries{} {
    for (int f = 0; f < 4; ++f)
      for (int v = 0; v < 3; ++v) {
        const unsigned char first = static_cast<unsigned char>(kRules[f].names[v][0]);
        entries[first][count[first]++] = Spelling{f, v};
      }
  }
};
constexpr SpellingsByFirstByte kSpellings;
// The lengths of the names ("to:", "From:", "Subject:"), shortest first.
constexpr std::size_t kNameLengths[] = {3, 5, 8};

// Names are a few bytes long: a plain loop beats a call to memcmp.
bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (text[at + i] != prefix[i]) return false;
  return true;
}

// The first "\r\n" at or after `from`, or the text's end.
std::size_t LineEnd(std::string_view text, std::size_t from) {
  while (from < text.size()) {
    const void* cr = std::memchr(text.data() + from, '\r', text.size() - from);
    if (cr == nullptr) break;
    const std::size_t at = static_cast<const char*>(cr) - text.data();
    if (at + 1 < text.size() && text[at + 1] == '\n') return at;
    from = at + 1;
  }
  return text.size();
}

std::string FieldValue(std::string_view text, const FieldRule& rule, std::size_t nameAt,
                       std::size_t nameLength) {
  std::size_t start = nameAt + nameLength;
  // One blank after the colon is passed over, only when it is there.
  if (!rule.isTo && start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  std::size_t end = LineEnd(text, start);
  if (rule.isTo) {
    const void* bracket = std::memchr(text.data() + start, '>', end - start);
    if (bracket != nullptr) end = static_cast<const char*>(bracket) - text.data();
  }
  std::string value(text.substr(start, end - start));
  return rule.isTo ? CleanAddress(value) : value;
}

}  // namespace

HeaderFields ParseHeaderFields(std::string_view text) {
  if (text.empty()) return HeaderFields{kRules[0].fallback, kRules[1].fallback, kRules[2].fallback, kRules[3].fallback};
  if (const void* nul = std::memchr(text.data(), '\0', text.size()))
    text = text.substr(0, static_cast<const char*>(nul) - text.data());

  std::size_t firstAt[4][3];
  for (auto& field : firstAt)
    for (std::size_t& at : field) at = kNotFound;

  int settled = 0;  // fields whose first spelling has been found: nothing can beat it
  for (const char* colon = static_cast<const char*>(std::memchr(text.data(), ':', text.size()));
       colon != nullptr && settled < 4;
       colon = static_cast<const char*>(std::memchr(colon + 1, ':', text.data() + text.size() - colon - 1))) {
    const std::size_t nameEnd = colon - text.data() + 1;
    for (std::size_t length : kNameLengths) {
      if (length > nameEnd) break;
      const std::size_t line = nameEnd - length;
      if (line > 0 && text[line - 1] != '\n') continue;
      const unsigned char first = static_cast<unsigned char>(text[line]);
      for (int i = 0; i < kSpellings.count[first]; ++i) {
        const auto [f, v] = kSpellings.entries[first][i];
        if (firstAt[f][v] != kNotFound || kRules[f].names[v].size() != length ||
            !StartsWith(text, line, kRules[f].names[v]))
          continue;
        firstAt[f][v] = line;
        if (v == 0) ++settled;
      }
    }
  }

  std::string cells[4];
  for (int f = 0; f < 4; ++f) {
    cells[f] = kRules[f].fallback;
    for (int v = 0; v < 3; ++v) {
      if (firstAt[f][v] == kNotFound) continue;
      cells[f] = FieldValue(text, kRules[f], firstAt[f][v], kRules[f].names[v].size());
      break;
    }
  }
  return HeaderFields{std::move(cells[0]), std::move(cells[1]), std::move(cells[2]), std::move(cells[3])};
}

void ExtractHeaderFields(std::string_view text, RecoveredList& list, int row) {
  const HeaderFields fields = ParseHeaderFields(text);
  list.SetCell(row, kFromCell, fields.from);
  list.SetCell(row, kSubjectCell, fields.subject);
  list.SetCell(row, kToCell, fields.to);
  list.SetCell(row, kDateCell, fields.date);
}

std::string CleanAddress(std::string_view value) {
  if (value.find('@') == kNotFound || value.find('.') == kNotFound) return "none";
  value = value.substr(0, value.find("]=20"));
  value = value.substr(0, value.find('"'));
  value = value.substr(0, value.find(']'));
  if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  // ASCII only: bytes of other code pages (or UTF-8) pass unchanged.
  std::string lowered(value);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

}  // namespace tessel
