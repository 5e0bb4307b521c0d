// Where the header field names stand in a message's text. Every name ends in
// its only colon and counts only where a line begins, so a look before each
// colon finds them: the search of a text (ExtractHeaderFields) and the raw scan,
// which meets every colon of the store anyway on its way to the next boundary,
// share these rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessel {

// The spellings of each field's name in cell order (From, Subject, To, Date),
// each field's in the order they are searched: the first that occurs wins.
inline constexpr int kHeaderFieldCount = 4;
inline constexpr std::string_view kFieldNames[kHeaderFieldCount][3] = {
    {"From:", "from:", "FROM:"},
    {"Subject:", "SUBJECT:", "subject:"},
    {"to:", "TO:", "To:"},
    {"date:", "DATE:", "Date:"},
};

// The length of a field's name, the same for all its spellings.
constexpr std::int64_t FieldNameLength(int field) { return static_cast<std::int64_t>(kFieldNames[field][0].size()); }

inline constexpr std::int64_t kLongestFieldName = [] {
  std::int64_t longest = 0;
  for (int field = 0; field < kHeaderFieldCount; ++field) {
    for (std::string_view spelling : kFieldNames[field])
      if (static_cast<std::int64_t>(spelling.size()) != FieldNameLength(field)) return std::int64_t{-1};
    if (FieldNameLength(field) > longest) longest = FieldNameLength(field);
  }
  return longest;
}();
static_assert(kLongestFieldName > 0, "the spellings of a field's name have one length");

// A quick look whether a name could end at `colon`: only where it would start
// a line. `bytes` starts at file position `bytesBegin`, no later than
// max(colon - kLongestFieldName, textBegin).
inline bool MayEndFieldName(const char* bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin) {
  for (int field = 0; field < kHeaderFieldCount; ++field) {
    const std::int64_t name = colon + 1 - FieldNameLength(field);
    if (name == textBegin || (name > textBegin && bytes[name - 1 - bytesBegin] == '\n')) return true;
  }
  return false;
}

// The first position of each of the twelve spellings, or -1.
struct FieldNamePositions {
  std::int64_t at[kHeaderFieldCount][3];
  FieldNamePositions();
  // True when every field's first spelling was found: nothing can beat those.
  bool Settled() const;
};

// Notes a field name that ends with the colon at `colon`, if one stands at a
// line start (`textBegin`, or just after a LF) not before `textBegin` and is
// the first of its spelling. `bytes` holds [bytesBegin, colon + 1), where
// bytesBegin <= max(colon - kLongestFieldName, textBegin) (the longest name,
// and the byte before it).
void NoteFieldName(std::string_view bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin,
                   FieldNamePositions& names);

}  // namespace tessel
