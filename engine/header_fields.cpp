// The header field rules, in one pass over the text: every field name ends in
// its only colon and counts only where a line begins, so a look before each
// colon (rare in bodies, and found with memchr) finds the first occurrence of
// every spelling at once.
#include <cstring>

#include "engine/field_names.h"
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

// Sets `value` (reusing its storage) to the field's value.
void FieldValue(std::string_view text, const FieldRule& rule, std::size_t nameAt, std::size_t nameLength,
                std::string& value) {
  std::size_t start = nameAt + nameLength;
  // One blank after the colon is passed over, only when it is there.
  if (!rule.isTo && start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  std::size_t end = LineEnd(text, start);
  if (rule.isTo) {
    const void* bracket = std::memchr(text.data() + start, '>', end - start);
    if (bracket != nullptr) end = static_cast<const char*>(bracket) - text.data();
    value = CleanAddress(text.substr(start, end - start));
    return;
  }
  value.assign(text.substr(start, end - start));
}

}  // namespace


FieldNamePositions::FieldNamePositions() {
  for (auto& field : at)
    for (std::int64_t& position : field) position = -1;
}

bool FieldNamePositions::Settled() const {
  return at[0][0] >= 0 && at[1][0] >= 0 && at[2][0] >= 0 && at[3][0] >= 0;
}

void NoteFieldName(std::string_view bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin,
                   FieldNamePositions& names) {
  auto byteAt = [&](std::int64_t position) { return bytes[static_cast<std::size_t>(position - bytesBegin)]; };
  for (std::size_t length : kNameLengths) {
    const std::int64_t name = colon + 1 - static_cast<std::int64_t>(length);
    if (name < textBegin) break;
    if (name > textBegin && byteAt(name - 1) != '\n') continue;
    const unsigned char first = static_cast<unsigned char>(byteAt(name));
    for (int i = 0; i < kSpellings.count[first]; ++i) {
      const auto [f, v] = kSpellings.entries[first][i];
      if (names.at[f][v] >= 0 || kRules[f].names[v].size() != length ||
          !StartsWith(bytes, static_cast<std::size_t>(name - bytesBegin), kRules[f].names[v]))
        continue;
      names.at[f][v] = name;
    }
  }
}

void FieldsFromNames(std::string_view text, const FieldNamePositions& names, HeaderFields& fields) {
  std::string* const cells[4] = {&fields.from, &fields.subject, &fields.to, &fields.date};
  for (int f = 0; f < 4; ++f) {
    *cells[f] = kRules[f].fallback;
    for (int v = 0; v < 3; ++v) {
      const std::int64_t at = names.at[f][v];
      const std::size_t length = kRules[f].names[v].size();
      if (at < 0 || static_cast<std::uint64_t>(at) + length > text.size()) continue;
      FieldValue(text, kRules[f], static_cast<std::size_t>(at), length, *cells[f]);
      break;
    }
  }
}

HeaderFields FieldsFromNames(std::string_view text, const FieldNamePositions& names) {
  HeaderFields fields;
  FieldsFromNames(text, names, fields);
  return fields;
}

HeaderFields ParseHeaderFields(std::string_view text) {
  FieldNamePositions names;
  if (text.empty()) return FieldsFromNames(text, names);
  if (const void* nul = std::memchr(text.data(), '\0', text.size()))
    text = text.substr(0, static_cast<const char*>(nul) - text.data());
  const char* const end = text.data() + text.size();
  for (const char* colon = static_cast<const char*>(std::memchr(text.data(), ':', text.size()));
       colon != nullptr && !names.Settled();
       colon = static_cast<const char*>(std::memchr(colon + 1, ':', end - colon - 1)))
    NoteFieldName(text, 0, colon - text.data(), 0, names);
  return FieldsFromNames(text, names);
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
