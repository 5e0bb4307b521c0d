// The header field rules, in one pass over the text: every field name ends in
// its only colon and counts only where a line begins, so a look before each
// colon (rare in bodies, and found many at a time by ByteOffsets) finds the
// first occurrence of every spelling at once.
#include <cstring>

#include "engine/byte_search.h"
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

// The spellings of each name length, as (field, variant): a colon is compared
// only with the names that could end there.
struct Spelling {
  int field;
  int variant;
};
constexpr Spelling kThreeByteNames[] = {{2, 0}, {2, 1}, {2, 2}};
constexpr Spelling kFiveByteNames[] = {{0, 0}, {0, 1}, {0, 2}, {3, 0}, {3, 1}, {3, 2}};
constexpr Spelling kEightByteNames[] = {{1, 0}, {1, 1}, {1, 2}};
constexpr bool AllOfLength(const Spelling* spellings, std::size_t count, std::size_t length) {
  for (std::size_t i = 0; i < count; ++i)
    if (kRules[spellings[i].field].names[spellings[i].variant].size() != length) return false;
  return true;
}
static_assert(AllOfLength(kThreeByteNames, 3, 3) && AllOfLength(kFiveByteNames, 6, 5) &&
              AllOfLength(kEightByteNames, 3, 8));

// Notes the spellings of `Length` bytes that `name` (a pointer to its first
// byte, at text position `position`) matches and that were not found before.
template <std::size_t Length, std::size_t Count>
inline void NoteSpellings(const Spelling (&spellings)[Count], const char* name, std::int64_t position,
                          FieldNamePositions& names) {
  for (const Spelling& spelling : spellings) {
    std::int64_t& at = names.at[spelling.field][spelling.variant];
    if (at < 0 && std::memcmp(name, kRules[spelling.field].names[spelling.variant].data(), Length) == 0) at = position;
  }
}

// Sets `value` (reusing its storage) to the field's value.
void FieldValue(std::string_view text, const FieldRule& rule, std::size_t nameAt, std::size_t nameLength,
                std::string& value) {
  std::size_t start = nameAt + nameLength;
  // One blank after the colon is passed over, only when it is there.
  if (!rule.isTo && start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  // A value ends at its first CR LF, or at the text's first NUL: every name
  // stands before that NUL, so the first NUL after a value's start is that one.
  std::size_t end = FindCrLfOrNul(text, start);
  if (rule.isTo) {
    const void* bracket = end > start ? std::memchr(text.data() + start, '>', end - start) : nullptr;
    if (bracket != nullptr) end = static_cast<const char*>(bracket) - text.data();
    CleanAddressInto(text.substr(start, end - start), value);
    return;
  }
  value.assign(text.substr(start, end - start));
}

}  // namespace

FieldNamePositions::FieldNamePositions() {
  for (auto& field : at)
    for (std::int64_t& position : field) position = -1;
}

bool FieldNamePositions::Settled() const { return at[0][0] >= 0 && at[1][0] >= 0 && at[2][0] >= 0 && at[3][0] >= 0; }

void NoteFieldName(std::string_view bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin,
                   FieldNamePositions& names) {
  const char* const at = bytes.data() + (colon - bytesBegin);  // the colon
  // A name of `length` bytes ending at the colon, where a line begins.
  auto opensLine = [&](std::int64_t length) {
    const std::int64_t name = colon + 1 - length;
    return name == textBegin || (name > textBegin && at[-length] == '\n');
  };
  if (opensLine(3)) NoteSpellings<3>(kThreeByteNames, at - 2, colon - 2, names);
  if (opensLine(5)) NoteSpellings<5>(kFiveByteNames, at - 4, colon - 4, names);
  if (opensLine(8)) NoteSpellings<8>(kEightByteNames, at - 7, colon - 7, names);
}

std::string_view TextBeforeNul(std::string_view text, const FieldNamePositions& names) {
  std::size_t namesEnd = 0;  // the end of the last name that lies in the text
  for (int f = 0; f < 4; ++f)
    for (int v = 0; v < 3; ++v) {
      const std::int64_t at = names.at[f][v];
      const std::size_t end = static_cast<std::size_t>(at) + kRules[f].names[v].size();
      if (at >= 0 && end <= text.size() && end > namesEnd) namesEnd = end;
    }
  const void* nul = namesEnd == 0 ? nullptr : std::memchr(text.data(), '\0', namesEnd);
  return nul == nullptr ? text : text.substr(0, static_cast<const char*>(nul) - text.data());
}

void FieldsFromNames(std::string_view text, const FieldNamePositions& names, HeaderFields& fields) {
  // The text ends at its first NUL. Only a NUL before a name changes which
  // names count; one after them all merely ends a value (FieldValue).
  text = TextBeforeNul(text, names);
  std::string* const cells[4] = {&fields.from, &fields.subject, &fields.to, &fields.date};
  for (int f = 0; f < 4; ++f) {
    int found = -1;
    for (int v = 0; v < 3 && found < 0; ++v) {
      const std::int64_t at = names.at[f][v];
      if (at >= 0 && static_cast<std::uint64_t>(at) + kRules[f].names[v].size() <= text.size()) found = v;
    }
    if (found < 0)
      *cells[f] = kRules[f].fallback;
    else
      FieldValue(text, kRules[f], static_cast<std::size_t>(names.at[f][found]), kRules[f].names[found].size(),
                 *cells[f]);
  }
}

HeaderFields FieldsFromNames(std::string_view text, const FieldNamePositions& names) {
  HeaderFields fields;
  FieldsFromNames(text, names, fields);
  return fields;
}

HeaderFields ParseHeaderFields(std::string_view text) {
  HeaderFields fields;
  ParseHeaderFields(text, fields);
  return fields;
}

void ParseHeaderFields(std::string_view text, HeaderFields& fields) {
  FieldNamePositions names;
  // Every spelling is noted up to the colon where the first ones are all
  // found, so a NUL before that colon (FieldsFromNames ends the text there)
  // hides no spelling that was not looked for.
  ByteOffsets colons(text, ':');
  for (std::size_t at = colons.Next(); at != std::string_view::npos; at = colons.Next()) {
    NoteFieldName(text, 0, static_cast<std::int64_t>(at), 0, names);
    if (names.Settled()) break;
  }
  FieldsFromNames(text, names, fields);
}

void ExtractHeaderFields(std::string_view text, RecoveredList& list, int row) {
  const HeaderFields fields = ParseHeaderFields(text);
  list.SetCell(row, kFromCell, fields.from);
  list.SetCell(row, kSubjectCell, fields.subject);
  list.SetCell(row, kToCell, fields.to);
  list.SetCell(row, kDateCell, fields.date);
}

void CleanAddressInto(std::string_view value, std::string& cleaned) {
  if (value.find('@') == kNotFound || value.find('.') == kNotFound) {
    cleaned = "none";
    return;
  }
  value = value.substr(0, value.find("]=20"));
  value = value.substr(0, value.find('"'));
  value = value.substr(0, value.find(']'));
  if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  // ASCII only: bytes of other code pages (or UTF-8) pass unchanged.
  cleaned.assign(value);
  for (char& c : cleaned)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

std::string CleanAddress(std::string_view value) {
  std::string cleaned;
  CleanAddressInto(value, cleaned);
  return cleaned;
}

}  // namespace tessel
