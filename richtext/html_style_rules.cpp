#include "richtext/html_style_rules.h"

#include <cctype>
#include <string>

#include "richtext/html_style_sheet.h"

namespace tessel {
namespace {

bool IsSpace(char c) { return c == ' '; }

void ApplyTextDecoration(std::string_view value, HtmlStyle& style) {
  if (value.empty()) value = "none";
  std::size_t pos = 0;
  while (pos < value.size()) {
    std::size_t end = value.find_first_of(" ,", pos);
    if (end == std::string_view::npos) end = value.size();
    std::string_view word = value.substr(pos, end - pos);
    if (word == "none") {
      style.underline = style.strikeOut = style.overline = false;
    } else if (word == "underline") {
      style.underline = true;
    } else if (word == "line-through") {
      style.strikeOut = true;
    } else if (word == "overline") {
      style.overline = true;
    }
    pos = end + 1;
  }
}

void ApplyFontWeight(std::string_view value, HtmlStyle& style) {
  if (value.empty() || value == "normal") {
    style.weight = 400;
  } else if (value == "bold") {
    style.weight = 700;
  } else if (value == "bolder") {
    style.weight = 900;
  } else if (value == "lighter") {
    style.weight = 100;
  } else if (auto number = ReadDecimal(value)) {
    style.weight = static_cast<int>(std::min<std::uint32_t>(*number, 1000));
  }
}

}  // namespace

int ParseBorderStyleKeyword(std::string_view value) {
  if (value.empty() || value == "none") return kBorderNone;
  if (value == "solid") return kBorderSolid;
  if (value == "dashed") return kBorderDashed;
  if (value == "dotted") return kBorderDotted;
  if (value == "double") return kBorderDouble;
  return -1;
}

int ParseVerticalAlignKeyword(std::string_view value) {
  if (value.empty() || value == "baseline") return kAlignBaseline;
  if (value == "middle" || value == "vcenter") return kAlignVCenter;
  if (value == "top") return kAlignTop;
  if (value == "bottom") return kAlignBottom;
  return -1;
}

int ParseTextAlignKeyword(std::string_view value) {
  if (value.empty() || value == "left") return kAlignLeft;
  if (value == "center") return kAlignCenter;
  if (value == "right") return kAlignRight;
  return -1;
}

void ApplyBackgroundColor(std::string_view value, HtmlStyle& style, const HtmlColors& colors) {
  if (value.empty() || value == "transparent") {
    style.backgroundMode = kBackgroundTransparent;
    return;
  }
  style.backgroundColor = colors.Parse(value, style.backgroundColor);
  style.backgroundMode = colors.Enabled() ? kBackgroundOpaque : kBackgroundTransparent;
}

void ApplyBorderWidth(std::string_view value, HtmlStyle& style, const LengthBasis& basis) {
  if (value == "thin") {
    style.borderWidth = MulDiv(style.borderWidth, 75, 100);
  } else if (value == "thick") {
    style.borderWidth = MulDiv(style.borderWidth, 125, 100);
  } else if (value != "medium") {
    style.borderWidth = ParseLength(value, style.borderWidth, basis);
  }
  if (style.borderWidth == 0) {
    style.borderStyle = kBorderNone;
  } else if (style.borderStyle == kBorderNone) {
    style.borderStyle = kBorderSolid;
  }
}

void ApplyBorderStyle(std::string_view value, HtmlStyle& style) {
  int borderStyle = ParseBorderStyleKeyword(value);
  if (borderStyle < 0) return;
  style.borderStyle = borderStyle;
  if (borderStyle != kBorderNone && style.borderWidth == 0) style.borderWidth = 1;
}

void ApplyStyleProperty(std::string_view name, std::string_view value, HtmlStyle& style, const HtmlColors& colors,
                        const LengthBasis& basis) {
  if (name == "font-size") {
    style.fontSize = ParseLength(value, style.fontSize, basis, true);
  } else if (name == "font-family") {
    if (!value.empty()) style.fontFamily = std::string(value);
  } else if (name == "font-style") {
    if (value.empty() || value == "normal")
      style.italic = false;
    else if (value == "italic" || value == "oblique")
      style.italic = true;
  } else if (name == "font-weight") {
    ApplyFontWeight(value, style);
  } else if (name == "text-align") {
    int align = ParseTextAlignKeyword(value);
    if (align >= 0) style.horizontalAlign = align;
  } else if (name == "text-transform") {
    if (value.empty() || value == "none")
      style.textTransform = kTransformNone;
    else if (value == "uppercase")
      style.textTransform = kTransformUpper;
    else if (value == "lowercase")
      style.textTransform = kTransformLower;
    else if (value == "capitalize")
      style.textTransform = kTransformCapitalize;
  } else if (name == "color") {
    style.textColor = colors.Parse(value, style.textColor);
  } else if (name == "background-color") {
    ApplyBackgroundColor(value, style, colors);
  } else if (name == "text-decoration") {
    ApplyTextDecoration(value, style);
  } else if (name == "vertical-align") {
    int align = ParseVerticalAlignKeyword(value);
    if (align >= 0) style.verticalAlign = align;
  } else if (name == "border-color") {
    style.borderColorLight = style.borderColorDark = colors.Parse(value, style.borderColorLight);
  } else if (name == "border-width" || name == "size") {
    ApplyBorderWidth(value, style, basis);
  } else if (name == "border-style") {
    ApplyBorderStyle(value, style);
  } else if (name == "margin") {
    style.margin = ParseLength(value, style.margin, basis);
  } else if (name == "padding") {
    style.padding = ParseLength(value, style.padding, basis);
  }
}

void ApplyStyleRule(std::string_view rawBody, HtmlStyle& style, const HtmlColors& colors, const LengthBasis& basis) {
  const std::string body = ToLower(rawBody);
  const std::size_t n = body.size();
  std::size_t pos = 0;
  while (pos < n) {
    while (pos < n && !std::isalnum(static_cast<unsigned char>(body[pos])) && body[pos] != '.') ++pos;
    if (pos >= n) break;
    std::size_t nameEnd = body.find_first_of(" :", pos);
    if (nameEnd == std::string::npos) nameEnd = n;
    std::string_view name(body.data() + pos, nameEnd - pos);
    pos = nameEnd;
    while (pos < n && IsSpace(body[pos])) ++pos;
    std::string_view value;
    if (pos < n && body[pos] == ':') {
      ++pos;
      while (pos < n && IsSpace(body[pos])) ++pos;
      if (pos < n && body[pos] == '"') {
        std::size_t close = body.find('"', pos + 1);
        if (close == std::string::npos) {
          pos = n;  // an unterminated string gives an empty value
        } else {
          value = std::string_view(body.data() + pos + 1, close - pos - 1);
          pos = close + 1;
        }
      } else {
        std::size_t end = body.find_first_of(" ;", pos);
        if (end == std::string::npos) end = n;
        value = std::string_view(body.data() + pos, end - pos);
        pos = end;
      }
    }
    ApplyStyleProperty(name, value, style, colors, basis);
  }
}

}  // namespace tessel
