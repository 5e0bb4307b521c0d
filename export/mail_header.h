// The few header fields an mbox "From " line is made of, read from a message's
// header block as mail programs read them: field names in any case at the start
// of a line, folded lines joined, dates in the internet message form and its
// older variants.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::exporting {

// The header block of a message: its bytes up to the first empty line (LF or
// CR LF line ends), or all of them when there is none.
std::string_view HeaderBlock(std::string_view message);

// The unfolded value of the first field named `name` (without regard to case),
// leading and trailing white space removed; nothing when there is none.
std::optional<std::string> HeaderValue(std::string_view header, std::string_view name);

// The address of an address field, fit for a "From " line: the text in angle
// brackets, else the first word with text on both sides of an "@" (comments
// included: "Tom (tom@example.net)"), else the value when it is one word
// ("foo"). Empty when there is none or it holds white space, quotes or
// control characters ("<>", "Bob Smith", "<e ve@x>").
std::string AddressIn(std::string_view value);

// A date such as "Fri, 20 Apr 2001 19:35:02 -0400 (EDT)" as seconds since
// 1970-01-01 00:00 UTC. The weekday is optional, and so are the seconds and
// the zone (UTC then); zone names (GMT, EST, PDT, ...) and two-digit years
// (before 50: 20xx) are read too. Nothing when the text is no date.
std::optional<std::int64_t> ParseMailDate(std::string_view value);

// "Thu Jan  1 00:00:00 1970": the C library's asctime form, in UTC.
std::string AsctimeUtc(std::int64_t seconds);

}  // namespace tessel::exporting
