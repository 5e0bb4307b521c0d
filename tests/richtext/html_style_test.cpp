// Style values: lengths, colours, the style sheet and rule bodies.
#include <gtest/gtest.h>

#include "richtext/html_colors.h"
#include "richtext/html_lengths.h"
#include "richtext/html_style_rules.h"
#include "richtext/html_style_sheet.h"
#include "tests/richtext/html_test_ports.h"

namespace tessel {
namespace {

class HtmlStyleTest : public ::testing::Test {
 protected:
  HtmlStyle Apply(std::string_view body, HtmlStyle style = {}) {
    ApplyStyleRule(body, style, colors, basis);
    return style;
  }
  FixedSystemColors system;
  HtmlColors colors{system};
  LengthBasis basis{96, 20, 10};
};

TEST_F(HtmlStyleTest, LengthsInEveryUnit) {
  EXPECT_EQ(ParseLength("", 7, basis), 7);
  EXPECT_EQ(ParseLength("12px", 7, basis), 12);
  EXPECT_EQ(ParseLength("2ex", 7, basis), 20);
  EXPECT_EQ(ParseLength("2em", 7, basis), 40);
  EXPECT_EQ(ParseLength("1in", 7, basis), 96);
  EXPECT_EQ(ParseLength("1cm", 7, basis), 37);   // 96 * 0.3937 truncated
  EXPECT_EQ(ParseLength("10mm", 7, basis), 37);  // 960 * 0.03937 truncated
  EXPECT_EQ(ParseLength("10pt", 7, basis), 13);  // 960 / 72
  EXPECT_EQ(ParseLength("1pc", 7, basis), 16);
  EXPECT_EQ(ParseLength("65%", 16, basis), 10);
  EXPECT_EQ(ParseLength("50%", 15, basis), 8);  // rounded like MulDiv
  EXPECT_EQ(ParseLength("-5px", 7, basis), 5);  // never negative
  EXPECT_EQ(ParseLength("0x10", 7, basis), 16);
  EXPECT_EQ(ParseLength("010", 7, basis), 8);
  EXPECT_EQ(ParseLength("large", 7, basis), 7);  // unreadable keeps the base
  EXPECT_EQ(ParseLength("99999999999999999999", 7, basis), kMaxHtmlLength);
}

TEST_F(HtmlStyleTest, FontSizeModeMapsOneToSeven) {
  EXPECT_EQ(ParseLength("3", 16, basis, true), 12);
  EXPECT_EQ(ParseLength("7", 16, basis, true), 36);
  EXPECT_EQ(ParseLength("12", 16, basis, true), 12);
  EXPECT_EQ(ParseLength("3", 16, basis, false), 3);
  EXPECT_EQ(Apply("font-size: 3").fontSize, 12);
  EXPECT_EQ(Apply("font-size: 12").fontSize, 12);
  EXPECT_EQ(Apply("font-size: 10pt").fontSize, 13);
  EXPECT_EQ(Apply("font-size: 65%").fontSize, 10);
}

TEST_F(HtmlStyleTest, Colours) {
  EXPECT_EQ(colors.Parse("#ff9900", 1), 0x0099FFu);
  EXPECT_EQ(colors.Parse("#f90", 1), 1u);
  EXPECT_EQ(colors.Parse("#ff99zz", 1), 1u);
  EXPECT_EQ(colors.Parse("0xFF", 1), 0xFFu);  // used as the value as it is: pure red
  EXPECT_EQ(colors.Parse("255", 1), 0xFFu);
  EXPECT_EQ(colors.Parse("", 1), 1u);
  EXPECT_EQ(colors.Parse("nosuchcolour", 1), 1u);
  EXPECT_EQ(colors.Parse("lightgrey", 1), MakeColor(0xD3, 0xD3, 0xD3));
  EXPECT_EQ(colors.Parse("lightgray", 1), 1u);
  EXPECT_EQ(colors.Parse("darkslategray", 1), MakeColor(0x2F, 0x4F, 0x4F));
  EXPECT_EQ(colors.Parse("buttonface", 1), system.Get(kSysColorButtonFace));
  EXPECT_EQ(colors.Parse("infobackground", 1), system.Get(kSysColorInfoBackground));
  EXPECT_EQ(colors.Names().size(), 140u + 28u);
}

TEST_F(HtmlStyleTest, DisabledColoursGiveTheReplacementAndNoBackground) {
  colors.SetEnabled(false);
  EXPECT_EQ(colors.Replacement(), system.Get(kSysColorButtonShadow));
  HtmlStyle style = Apply("color:red; background-color:yellow; border-color:blue");
  EXPECT_EQ(style.textColor, colors.Replacement());
  EXPECT_EQ(style.borderColorLight, colors.Replacement());
  EXPECT_EQ(style.backgroundMode, kBackgroundTransparent);
}

TEST_F(HtmlStyleTest, BackgroundColour) {
  HtmlStyle style = Apply("background-color:#fbedbb");
  EXPECT_EQ(style.backgroundMode, kBackgroundOpaque);
  EXPECT_EQ(style.backgroundColor, MakeColor(0xFB, 0xED, 0xBB));
  EXPECT_EQ(Apply("background-color:transparent", style).backgroundMode, kBackgroundTransparent);
}

TEST_F(HtmlStyleTest, FontFamilyQuotedAndUnquoted) {
  EXPECT_EQ(Apply("font-family:Courier New").fontFamily, "courier");
  EXPECT_EQ(Apply("font-family:\"Courier New\"").fontFamily, "courier new");
  EXPECT_EQ(Apply("font-family:\"Courier New").fontFamily, "Verdana");  // unterminated: empty value
  EXPECT_EQ(Apply("font-family:").fontFamily, "Verdana");
}

TEST_F(HtmlStyleTest, BorderWidthAndStyleKeepEachOtherConsistent) {
  HtmlStyle style = Apply("border-width:3");
  EXPECT_EQ(style.borderStyle, kBorderSolid);
  EXPECT_EQ(style.borderWidth, 3);
  style = Apply("border-width:0", style);
  EXPECT_EQ(style.borderStyle, kBorderNone);
  style = Apply("border-style:dashed", style);
  EXPECT_EQ(style.borderWidth, 1);
  EXPECT_EQ(style.borderStyle, kBorderDashed);
  style = Apply("border-width:8; border-width:thin", style);
  EXPECT_EQ(style.borderWidth, 6);
  style = Apply("size:thick; border-style:wavy", style);
  EXPECT_EQ(style.borderWidth, 8);
  EXPECT_EQ(style.borderStyle, kBorderDashed);
}

TEST_F(HtmlStyleTest, KeywordProperties) {
  HtmlStyle style = Apply(
      "font-weight:bold; font-style:oblique; text-align:center; text-transform:capitalize;"
      " vertical-align:top; text-decoration:underline,overline; margin:5; padding:2em");
  EXPECT_EQ(style.weight, 700);
  EXPECT_TRUE(style.italic);
  EXPECT_EQ(style.horizontalAlign, kAlignCenter);
  EXPECT_EQ(style.textTransform, kTransformCapitalize);
  EXPECT_EQ(style.verticalAlign, kAlignTop);
  EXPECT_TRUE(style.underline && style.overline);
  EXPECT_FALSE(style.strikeOut);
  EXPECT_EQ(style.margin, 5);
  EXPECT_EQ(style.padding, 40);
  style = Apply("FONT-WEIGHT:600; text-decoration:; text-align:sideways; unknown:1", style);
  EXPECT_EQ(style.weight, 600);
  EXPECT_FALSE(style.underline || style.overline);
  EXPECT_EQ(style.horizontalAlign, kAlignCenter);
  EXPECT_EQ(Apply("font-weight:lighter").weight, 100);
  EXPECT_EQ(Apply("font-weight:bolder").weight, 900);
}

TEST(HtmlStyleSheetTest, DefaultSheetAndReplacement) {
  HtmlStyleSheet sheet;
  EXPECT_EQ(sheet.Rules().size(), 17u);
  ASSERT_NE(sheet.Find("PRE"), nullptr);
  EXPECT_EQ(*sheet.Find("pre"), "font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb");
  ASSERT_NE(sheet.Find("a:hover"), nullptr);
  ASSERT_NE(sheet.Find(".cpp-comment"), nullptr);
  EXPECT_EQ(sheet.Find("table"), nullptr);

  sheet.Set("TD {color:red}  .Note{x:1} b {y:1} b {z:2} broken {");
  EXPECT_EQ(sheet.Rules().size(), 3u);
  EXPECT_EQ(*sheet.Find("td"), "color:red");
  EXPECT_EQ(*sheet.Find(".note"), "x:1");
  EXPECT_EQ(*sheet.Find("b"), "z:2");
  sheet.Set(nullptr);
  EXPECT_EQ(sheet.Rules().size(), 17u);
}

TEST_F(HtmlStyleTest, DefaultSheetRulesOnDefaults) {
  HtmlStyleSheet sheet;
  HtmlStyle h2 = Apply(*sheet.Find("h2"));
  EXPECT_EQ(h2.fontSize, 17);  // 13pt at 96 dpi
  EXPECT_EQ(h2.textColor, 0x0099FFu);
  EXPECT_EQ(h2.weight, 700);
  EXPECT_EQ(Apply(*sheet.Find("pre")).fontFamily, "courier");
  EXPECT_EQ(Apply(*sheet.Find("a:hover")).textColor, MakeColor(0, 0, 255));
}

TEST(HtmlLengthReaders, IntegersSaturateAndNeedADigit) {
  EXPECT_FALSE(ReadCInteger("").has_value());
  EXPECT_FALSE(ReadCInteger("x1").has_value());
  EXPECT_EQ(*ReadCInteger("0x"), 0u);
  EXPECT_EQ(*ReadCInteger("0xFFFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(*ReadCInteger("019"), 1u);  // octal stops at 9
  EXPECT_EQ(MulDiv(16, 65, 100), 10);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace
}  // namespace tessel
