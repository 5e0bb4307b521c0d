// Where the header field names stand in a message's text. Every name ends in
// its only colon, so a look before each colon finds them: the text's own
// search (ParseHeaderFields) and the raw scan, which meets every colon of the
// store anyway on its way to the next boundary, share these rules.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/message_extraction.h"

namespace tessel {

// The first position of each of the twelve spellings (4 fields, 3 spellings in
// the order they are searched), or -1.
struct FieldNamePositions {
  std::int64_t at[4][3];
  FieldNamePositions();
  // True when every field's first spelling was found: nothing can beat those.
  bool Settled() const;
};

// Notes a field name that ends with the colon at `colon`, if one stands at a
// line start (`textBegin`, or just after a LF) not before `textBegin` and is
// the first of its spelling. `bytes` holds [bytesBegin, colon + 1), where
// bytesBegin <= max(colon - 8, textBegin) (the longest name, and the byte
// before it).
void NoteFieldName(std::string_view bytes, std::int64_t bytesBegin, std::int64_t colon, std::int64_t textBegin,
                   FieldNamePositions& names);

// The text up to its first NUL as far as the names in it are concerned: cut
// at a NUL that stands before the end of the last name found in it, else whole
// (a NUL further on only ends a value, which FieldsFromNames sees to).
std::string_view TextBeforeNul(std::string_view text, const FieldNamePositions& names);

// The four cells from a text and the positions of the names in it, relative to
// the text; a name that does not lie wholly inside the text does not count. The
// text ends at its first NUL: names after it do not count, values end there.
// The names must be the first of their spellings in the text as given.
HeaderFields FieldsFromNames(std::string_view text, const FieldNamePositions& names);
// The same into `fields`, reusing the storage of its strings.
void FieldsFromNames(std::string_view text, const FieldNamePositions& names, HeaderFields& fields);

}  // namespace tessel
