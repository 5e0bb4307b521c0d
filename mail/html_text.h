// An HTML body as plain text for a person: paragraphs and line breaks kept,
// links as "text <address>", entities decoded, scripts and styles left out.
#pragma once

#include <string>
#include <string_view>

namespace tessel::mail {

// `html` is UTF-8; so is the text.
std::string HtmlToText(std::string_view html);

}  // namespace tessel::mail
