// Header text as a person reads it: encoded words ("=?charset?Q?...?=" and
// "=?charset?B?...?=") decoded, the space between adjacent ones dropped, and
// the bytes around them read as undeclared text. A word that does not decode
// (unknown encoding, no end) stays as written.
#pragma once

#include <string>
#include <string_view>

#include "mail/charset_names.h"
#include "mail/charset_port.h"

namespace tessel::mail {

// `fallback`: the message's declared charset, for 8-bit bytes outside encoded
// words that are not UTF-8 (nullptr: Windows-1252).
std::string DecodeHeaderText(std::string_view raw, const Charset* fallback, CharsetPort& port);

// Just past the "?=" of the encoded word that starts at `at`, or 0 when none
// starts there. `noEndFrom` (npos at first) keeps calls over one text linear.
std::size_t EncodedWordEnd(std::string_view text, std::size_t at, std::size_t& noEndFrom);

// Quoted-printable and base64 as the encoded words and bodies use them;
// both skip what they cannot read. `underscoreIsSpace` for encoded words.
std::string DecodeQuotedPrintable(std::string_view text, bool underscoreIsSpace);
std::string DecodeBase64(std::string_view text);

}  // namespace tessel::mail
