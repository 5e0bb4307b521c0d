// Cell bytes are single-byte text of the mail client's code page, or UTF-8 when
// a message carried it. Outputs that must be Unicode (JSON, vCard, the table on
// a terminal) read valid UTF-8 sequences as they are and every other byte as
// Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace tessel::cli {

// Appends `bytes` to `out` as UTF-8: valid UTF-8 sequences unchanged, every
// other byte decoded as Windows-1252 (its five unassigned bytes as the C1
// control characters of the same value).
void AppendAsUtf8(std::string& out, std::string_view bytes);

std::string ToUtf8(std::string_view bytes);

// Number of code points in a valid UTF-8 text (its width on a terminal, near enough).
size_t CodePointCount(std::string_view utf8);

}  // namespace tessel::cli
