// Cell bytes are single-byte text of the mail client's code page, or UTF-8 when
// a message carried it. Outputs that must be Unicode (JSON, CSV, vCard, the
// table on a terminal) convert them: a message's cells keep valid UTF-8
// sequences and read every other byte in a code page (1252 unless told), an
// address book's are read in its code page throughout.
#pragma once

#include <string>
#include <string_view>

#include "export/code_pages.h"

namespace tessel::exporting {

// Appends `bytes` to `out` as UTF-8: valid UTF-8 sequences unchanged, every
// other byte decoded in `fallback` (Windows-1252 unless given).
void AppendAsUtf8(std::string& out, std::string_view bytes, const CodePage* fallback = nullptr);
std::string ToUtf8(std::string_view bytes, const CodePage* fallback = nullptr);

// Every byte decoded in `page`; for UTF-8 (65001) as AppendAsUtf8.
void AppendFromCodePage(std::string& out, std::string_view bytes, const CodePage& page);
std::string FromCodePage(std::string_view bytes, const CodePage& page);

// Number of code points in a valid UTF-8 text (its width on a terminal, near enough).
size_t CodePointCount(std::string_view utf8);

}  // namespace tessel::exporting
