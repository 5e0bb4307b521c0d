// The header field rules, in one pass over the text: every field name ends in
// its only colon and counts only where a line begins, so a look before each
// colon (rare in bodies, and found 64 bytes a step by ByteMask) finds the
// first occurrence of every spelling at once.
#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/byte_search.h"
#include "engine/field_names.h"
#include "engine/message_extraction.h"
#include "engine/platform_lower.h"
#include "engine/message_row.h"

namespace tessel {
namespace {

// What a field's value is when its name is found, and when it is not.
struct FieldRule {
  bool isTo;  // To keeps the blank after its colon and ends at ">" too
  const char* fallback;
};

// Cells 0 to 3, in cell order, as kFieldNames.
constexpr FieldRule kRules[kHeaderFieldCount] = {
    {false, "Unknown"}, {false, "Unknown"}, {true, "none"}, {false, "Unknown"}};

// Notes the spellings of `Field`'s name that end at the colon `at` (file
// position `colon`) where a line begins, and were not found before.
template <int Field>
inline void NoteSpellings(const char* at, std::int64_t colon, std::int64_t textBegin, FieldNamePositions& names) {
  constexpr std::int64_t kLength = FieldNameLength(Field);
  const std::int64_t name = colon + 1 - kLength;
  if (name != textBegin && (name < textBegin || at[-kLength] != '\n')) return;
  for (int variant = 0; variant < 3; ++variant) {
    std::int64_t& position = names.at[Field][variant];
    if (position < 0 && std::memcmp(at + 1 - kLength, kFieldNames[Field][variant].data(), kLength) == 0)
      position = name;
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
    CleanAddress(text.substr(start, end - start), value);
    return;
  }
  value.assign(text.substr(start, end - start));
}

// The text up to its first NUL as far as the names in it are concerned: cut
// at a NUL that stands before the end of the last name found in it, else whole
// (a NUL further on only ends a value, which FieldValue sees to).
std::string_view TextBeforeNul(std::string_view text, const FieldNamePositions& names) {
  std::size_t namesEnd = 0;  // the end of the last name that lies in the text
  for (int f = 0; f < kHeaderFieldCount; ++f)
    for (const std::int64_t at : names.at[f]) {
      const std::size_t end = static_cast<std::size_t>(at + FieldNameLength(f));
      if (at >= 0 && end <= text.size() && end > namesEnd) namesEnd = end;
    }
  const void* nul = namesEnd == 0 ? nullptr : std::memchr(text.data(), '\0', namesEnd);
  return nul == nullptr ? text : text.substr(0, static_cast<const char*>(nul) - text.data());
}

// The first of each spelling in the text, looked for before each colon.
FieldNamePositions FindFieldNames(std::string_view text) {
  FieldNamePositions names;
  // Every spelling is noted up to the colon where the first ones are all
  // found, so a NUL before that colon (TextBeforeNul ends the text there)
  // hides no spelling that was not looked for.
  // The colons are found 64 bytes a step, with no call per colon.
  for (std::size_t base = 0; base < text.size(); base += 64) {
    for (std::uint64_t colons = ByteMask(text.data() + base, std::min<std::size_t>(64, text.size() - base), ':');
         colons != 0; colons &= colons - 1) {
      NoteFieldName(text, 0, static_cast<std::int64_t>(base + std::countr_zero(colons)), 0, names);
      if (names.Settled()) return names;
    }
  }
  return names;
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
  NoteSpellings<0>(at, colon, textBegin, names);
  NoteSpellings<1>(at, colon, textBegin, names);
  NoteSpellings<2>(at, colon, textBegin, names);
  NoteSpellings<3>(at, colon, textBegin, names);
  static_assert(kHeaderFieldCount == 4);
}

void ExtractHeaderFields(std::string_view text, HeaderFields& fields, CellRow& cells, const FieldNamePositions* names) {
  const FieldNamePositions found = names != nullptr ? *names : FindFieldNames(text);
  // The text ends at its first NUL. Only a NUL before a name changes which
  // names count; one after them all merely ends a value (FieldValue).
  text = TextBeforeNul(text, found);
  std::string* const values[kHeaderFieldCount] = {&fields.from, &fields.subject, &fields.to, &fields.date};
  for (int f = 0; f < kHeaderFieldCount; ++f) {
    int spelling = -1;
    for (int v = 0; v < 3 && spelling < 0; ++v) {
      const std::int64_t at = found.at[f][v];
      if (at >= 0 && static_cast<std::uint64_t>(at + FieldNameLength(f)) <= text.size()) spelling = v;
    }
    if (spelling < 0)
      *values[f] = kRules[f].fallback;
    else
      FieldValue(text, kRules[f], static_cast<std::size_t>(found.at[f][spelling]),
                 static_cast<std::size_t>(FieldNameLength(f)), *values[f]);
  }
  // Cleared, not made anew: the row keeps its storage from message to message.
  cells.Clear();
  cells.Set(kFromCell, fields.from);
  cells.Set(kSubjectCell, fields.subject);
  cells.Set(kToCell, fields.to);
  cells.Set(kDateCell, fields.date);
}

void CleanAddress(std::string_view value, std::string& cleaned) {
  if (value.find('@') == std::string_view::npos || value.find('.') == std::string_view::npos) {
    cleaned = "none";
    return;
  }
  value = value.substr(0, value.find("]=20"));
  value = value.substr(0, value.find('"'));
  value = value.substr(0, value.find(']'));
  if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  cleaned.assign(value);
  platform::AnsiLowerInPlace(cleaned);
}

}  // namespace tessel
