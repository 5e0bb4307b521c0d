// The message box lays a notice out without a maximum width: a line breaks
// only at a line feed or a <br>. A path or two on one line makes a box wider
// than a laptop's screen, so the wizard's notices are broken into lines here
// before they are shown.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::recovery {

// Characters on a notice's line: at the widest characters of the dialog font
// still well within a 1,366-pixel screen with the box's icon and margins.
inline constexpr std::size_t kNoticeLineCharacters = 90;

// `richText` with a <br> inserted wherever a line would pass `maxCharacters`
// shown characters: after its last space, else after its last "\" or "/"
// (paths), else before the character that passes the limit. Tags and
// entities are kept whole and do not count; nothing else changes, so the
// text without the inserted <br>s is the text given.
std::string BreakNoticeLines(std::string_view richText, std::size_t maxCharacters = kNoticeLineCharacters);

// A link in a notice's text that opens `folder` (shown as its path).
inline std::string FolderLink(const std::string& folder) { return "<a href=\"" + folder + "\">" + folder + "</a>"; }

}  // namespace tessel::recovery
