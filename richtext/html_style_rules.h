#pragma once
// Applying a style sheet rule body ("color:red; font-size:10pt") to a style.
#include <string_view>

#include "richtext/html_colors.h"
#include "richtext/html_lengths.h"
#include "richtext/html_style.h"

namespace tessel {

// Reads every "property: value" of the body and changes the style; unknown
// properties and unreadable values leave it as it was. `basis` describes the
// font in force before the rule, for "em", "ex" and the device units.
void ApplyStyleRule(std::string_view body, HtmlStyle& style, const HtmlColors& colors, const LengthBasis& basis);

// One property, as the rule body and some tag attributes set it.
void ApplyStyleProperty(std::string_view name, std::string_view value, HtmlStyle& style, const HtmlColors& colors,
                        const LengthBasis& basis);

// Keywords shared with tag attributes; nullopt-like -1 when not recognised.
int ParseBorderStyleKeyword(std::string_view value);    // -1 unknown
int ParseVerticalAlignKeyword(std::string_view value);  // -1 unknown
int ParseTextAlignKeyword(std::string_view value);      // -1 unknown

// The background colour value: transparent, or opaque with a colour.
void ApplyBackgroundColor(std::string_view value, HtmlStyle& style, const HtmlColors& colors);
// Border width and style with the rules that keep them consistent.
void ApplyBorderWidth(std::string_view value, HtmlStyle& style, const LengthBasis& basis);
void ApplyBorderStyle(std::string_view value, HtmlStyle& style);

}  // namespace tessel
