// Text that tessel prints for people (table cells, paths, messages) comes from
// files and file names that anyone may have made: printed as it is, it could
// move the cursor, recolour or reverse the terminal's line, or show as broken
// characters. These turn such bytes into UTF-8 that the terminal only shows:
// valid UTF-8 kept, every other byte read in Windows-1252 (the mail client's
// code page, and that of most Windows paths), and every character a terminal
// would act on replaced: C0 controls and DEL, C1 controls (U+0080 to U+009F)
// and the bidirectional embeddings, overrides and isolates (U+202A to U+202E,
// U+2066 to U+2069). tsv and json never go through here: they quote in their
// own ways and keep every byte.
#pragma once

#include <string>
#include <string_view>

namespace tessel::cli {

// For table cells: each such character as one space, so the columns stay aligned.
std::string TerminalCellText(std::string_view bytes);

// For a message's text: each line as a table cell's text (a line's CR dropped).
std::string TerminalLines(std::string_view bytes);

// For paths and the lines that name them: each such character escaped, "\x1B"
// below U+0080 and "\u202E" above, so that the name can still be told apart.
std::string TerminalText(std::string_view bytes);

}  // namespace tessel::cli
