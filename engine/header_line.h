// What a line of a header block is, the one reading that the usual scans, the
// deep scan and the mbox writer share (each adds its own rules on top): a
// field's line starts with its name, printable ASCII other than space and
// ":", and the ":" after it; a line starting with a space or a tab continues
// the field before it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessel {

// Where the ":" after the field name at the start of `line` stands, or npos
// when the line does not start with a field name.
std::size_t FieldNameColon(std::string_view line);

inline bool IsContinuationLine(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

}  // namespace tessel
