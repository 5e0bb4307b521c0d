// Style tags of the rich text and the font and colours they select.
#include <algorithm>

#include "richtext/html_pass.h"
#include "richtext/html_style_rules.h"

namespace tessel {
namespace {

constexpr int kMaxWeight = 900;              // nested bold tags stop here
constexpr std::size_t kMaxStyleDepth = 256;  // deeper opening tags of damaged texts are ignored

// "b", "i", "u", "s", "o" set a flag; "-" makes the next letters clear it, "+" set it again.
void ApplyFontStyleLetters(std::string_view letters, HtmlStyle& style) {
  bool on = true;
  for (char c : letters) {
    switch (c) {
      case '-':
        on = false;
        break;
      case '+':
        on = true;
        break;
      case 'b':
        style.weight = on ? 700 : 400;
        break;
      case 'i':
        style.italic = on;
        break;
      case 'u':
        style.underline = on;
        break;
      case 's':
        style.strikeOut = on;
        break;
      case 'o':
        style.overline = on;
        break;
      default:
        break;
    }
  }
}

int ParseFillEffect(const std::string& value, int current) {
  static const char* const kNames[] = {"solid",      "hgradient", "vgradient", "hcgradient", "vcgradient", "3hgradient",
                                       "3vgradient", "noise",     "diagshade", "hshade",     "vshade",     "hbump",
                                       "vbump",      "softbump",  "hardbump",  "metal"};
  if (value == "transparent") return -1;
  for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i)
    if (value == kNames[i]) return i;
  if (auto number = ReadCInteger(value)) return static_cast<int>(std::min<std::uint32_t>(*number, 0x7FFFFFFF));
  return current;
}

}  // namespace

LengthBasis HtmlPass::Basis() const { return {surface_.PixelsPerInchY(), metrics_.height, metrics_.xHeight}; }

void HtmlPass::SelectStyle() {
  FontSpec font;
  font.height = style_.fontSize;
  font.weight = style_.weight;
  font.italic = style_.italic;
  font.underline = style_.underline;
  font.strikeOut = style_.strikeOut;
  font.face = style_.fontFamily;
  surface_.SetFont(font);
  metrics_ = surface_.GetFontMetrics();
  const HtmlColors& colors = drawer_.colors_;
  const bool opaque = style_.backgroundMode == kBackgroundOpaque && colors.Enabled();
  surface_.SetBackgroundMode(opaque ? BackgroundMode::kOpaque : BackgroundMode::kTransparent);
  surface_.SetTextColor(colors.Filter(style_.textColor));
  surface_.SetBackgroundColor(colors.Filter(style_.backgroundColor));
}

void HtmlPass::ApplyRule(std::string_view selector, HtmlStyle& style) const {
  if (const std::string* body = drawer_.styleSheet_.Find(selector))
    ApplyStyleRule(*body, style, drawer_.colors_, Basis());
}

void HtmlPass::StyleTag(const HtmlTagInfo& info, const HtmlToken& token) {
  if (token.closing) {
    if (stack_.empty() || stack_.back().styleName != info.styleName) return;
    style_ = std::move(stack_.back().saved);
    stack_.pop_back();
    SelectStyle();
    return;
  }
  if (stack_.size() >= kMaxStyleDepth) return;
  stack_.push_back({info.styleName, style_});
  switch (info.code) {
    case kTagBold:
      style_.weight = std::min(style_.weight * 2, kMaxWeight);
      break;
    case kTagItalic:
      style_.italic = !style_.italic;
      break;
    case kTagUnderline:
      style_.underline = !style_.underline;
      break;
    case kTagStrikeOut:
      style_.strikeOut = !style_.strikeOut;
      break;
    case kTagFont:
      ApplyFontAttributes(ParseAttributes(token.attributes));
      break;
    case kTagLeft:
      style_.horizontalAlign = kAlignLeft;
      break;
    case kTagCenter:
      style_.horizontalAlign = kAlignCenter;
      break;
    case kTagRight:
      style_.horizontalAlign = kAlignRight;
      break;
    case kTagJustify:
      style_.horizontalAlign = kAlignJustify;
      break;
    case kTagBaseline:
      style_.verticalAlign = kAlignBaseline;
      break;
    case kTagTop:
      style_.verticalAlign = kAlignTop;
      break;
    case kTagVCenter:
      style_.verticalAlign = kAlignVCenter;
      break;
    case kTagBottom:
      style_.verticalAlign = kAlignBottom;
      break;
    case kTagSheetRule:
      ApplyRule(token.name, style_);
      break;
    case kTagSpan: {
      const HtmlAttributes attributes = ParseAttributes(token.attributes);
      if (const std::string* cls = FindAttribute(attributes, "class")) ApplyRule("." + *cls, style_);
      break;
    }
    case kTagLink:
      ApplyLinkAttributes(ParseAttributes(token.attributes));
      break;
    default:
      break;
  }
  SelectStyle();
}

void HtmlPass::ApplyFontAttributes(const HtmlAttributes& attributes) {
  const LengthBasis basis = Basis();
  const HtmlColors& colors = drawer_.colors_;
  for (const auto& [name, value] : attributes) {
    if (name == "face") {
      style_.fontFamily = value;
    } else if (name == "size") {
      style_.fontSize = ParseLength(value, style_.fontSize, basis, true);
    } else if (name == "color") {
      style_.textColor = colors.Parse(value, style_.textColor);
    } else if (name == "style") {
      ApplyFontStyleLetters(value, style_);
    } else if (name == "weight") {
      ApplyStyleProperty("font-weight", value, style_, colors, basis);
    } else if (name == "bkgnd") {
      ApplyBackgroundColor(value, style_, colors);
    }
  }
}

void HtmlPass::ApplyLinkAttributes(const HtmlAttributes& attributes) {
  style_.linkKind = kLinkMessage;
  style_.linkTarget.clear();
  for (const auto& [name, value] : attributes) {
    if (name == "href") {
      style_.linkKind = kLinkShell;
      style_.linkTarget = value;
    } else if (name == "msg") {
      style_.linkKind = kLinkMessage;
      style_.linkTarget = value;
    }
  }
  style_.linkIndex = linkCounter_++;
  ApplyRule(style_.linkIndex == drawer_.hoverIndex_ ? "a:hover" : "a:link", style_);
}

void HtmlPass::ApplyBoxAttributes(const HtmlAttributes& attributes, int areaWidth, HtmlStyle& style) const {
  const LengthBasis basis = Basis();
  const HtmlColors& colors = drawer_.colors_;
  for (const auto& [name, value] : attributes) {
    if (name == "cellpadding") {
      style.margin = ParseLength(value, style.margin, basis);
    } else if (name == "cellspacing") {
      style.padding = ParseLength(value, style.padding, basis);
    } else if (name == "background") {
      style.backgroundImage = value;
    } else if (name == "border") {
      style.borderWidth = ParseLength(value, style.borderWidth, basis);
      if (style.borderWidth == 0)
        style.borderStyle = kBorderNone;
      else if (style.borderStyle == kBorderNone)
        style.borderStyle = kBorderSolid;
    } else if (name == "borderstyle") {
      ApplyBorderStyle(value, style);
    } else if (name == "bordercolor") {
      style.borderColorLight = style.borderColorDark = colors.Parse(value, style.borderColorLight);
    } else if (name == "bordercolorlight") {
      style.borderColorLight = colors.Parse(value, style.borderColorLight);
    } else if (name == "bordercolordark") {
      style.borderColorDark = colors.Parse(value, style.borderColorDark);
    } else if (name == "bgcolor") {
      style.backgroundColor = colors.Parse(value, style.backgroundColor);
      if (style.backgroundEffect < 0) style.backgroundEffect = 0;
    } else if (name == "bgmidcolor") {
      style.backgroundMiddleColor = colors.Parse(value, style.backgroundMiddleColor);
    } else if (name == "bgendcolor") {
      style.backgroundEndColor = colors.Parse(value, style.backgroundEndColor);
    } else if (name == "bgeffect") {
      style.backgroundEffect = ParseFillEffect(value, style.backgroundEffect);
    } else if (name == "align") {
      int align = ParseTextAlignKeyword(value);
      if (align >= 0) style.horizontalAlign = align;
    } else if (name == "valign") {
      int align = ParseVerticalAlignKeyword(value);
      if (align >= 0) style.verticalAlign = align;
    } else if (name == "width") {
      style.wantedWidth = ParseLength(value, areaWidth, basis);
    } else if (name == "height") {
      style.wantedHeight = ParseLength(value, 0, basis);
    }
  }
  // Border style and width agree: no style, no width; no width, no style;
  // only solid borders are wider than one pixel.
  if (style.borderStyle == kBorderNone) style.borderWidth = 0;
  if (style.borderWidth == 0) style.borderStyle = kBorderNone;
  if (style.borderStyle != kBorderNone && style.borderStyle != kBorderSolid) style.borderWidth = 1;
}

}  // namespace tessel
