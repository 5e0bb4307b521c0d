// Measuring and drawing rich text with the software surface's fixed font:
// 10pt body text is 13 pixels high (ascent 10, descent 3), 6 pixels a byte.
#include <gtest/gtest.h>

#include "richtext/html_drawer.h"
#include "tests/richtext/html_test_ports.h"
#include "tests/richtext/html_test_surface.h"

namespace tessel {
namespace {

constexpr int kAdvance = 6;  // of a byte in the body font
constexpr int kHeight = 13;  // of a line in the body font

class HtmlLayoutTest : public ::testing::Test {
 protected:
  Size Measure(std::string_view text) { return drawer.Measure(surface, text); }
  void Draw(std::string_view text, Rect rect = {0, 0, 200, 120}) {
    drawer.Measure(surface, text);
    drawer.Draw(surface, rect);
  }
  TestPorts ports;
  HtmlDrawer drawer{ports.Platform()};
  RecordingSurface surface;
};

TEST_F(HtmlLayoutTest, EmptyTextAndTextsThatDrawNothing) {
  EXPECT_EQ(Measure(""), (Size{0, 0}));
  EXPECT_EQ(Measure("\r"), (Size{0, 0}));
  EXPECT_EQ(Measure("<b></b><i><nosuchtag></i>"), (Size{1, 1}));
  drawer.Draw(surface, {0, 0, 200, 120});
  EXPECT_TRUE(surface.runs.empty());
  EXPECT_TRUE(surface.Untouched());
}

TEST_F(HtmlLayoutTest, MeasuresTextPlusOnePixel) {
  EXPECT_EQ(Measure("abc"), (Size{3 * kAdvance + 1, kHeight + 1}));
  EXPECT_EQ(Measure("a<<b"), (Size{3 * kAdvance + 1, kHeight + 1}));
  EXPECT_EQ(Measure("&amp;lt;"), (Size{kAdvance + 1, kHeight + 1}));
}

TEST_F(HtmlLayoutTest, EscapedAnglesDrawAsText) {
  Draw("a<<b &lt;b&gt;");
  ASSERT_EQ(surface.runs.size(), 1u);
  EXPECT_EQ(surface.runs[0].text, "a<b <b>");
}

TEST_F(HtmlLayoutTest, ClosingTagMustMatchTheInnermostStyle) {
  Draw("<b>x</i>y</b>z<em>w</i>v");
  ASSERT_EQ(surface.runs.size(), 5u);
  EXPECT_EQ(surface.runs[0].font.weight, 800);   // x
  EXPECT_EQ(surface.runs[1].font.weight, 800);   // y: "</i>" did not close "<b>"
  EXPECT_EQ(surface.runs[2].font.weight, 400);   // z
  EXPECT_TRUE(surface.runs[3].font.italic);      // w
  EXPECT_FALSE(surface.Find("v")->font.italic);  // "</i>" closed "<em>"
}

TEST_F(HtmlLayoutTest, NestedBoldIsCappedAt900) {
  Draw("<b><b>x</b></b>");
  EXPECT_EQ(surface.Find("x")->font.weight, 900);
}

TEST_F(HtmlLayoutTest, FontTagAttributes) {
  Draw("<font face='Courier New' size=5 color=red style=biu-b weight=lighter bkgnd=yellow>x</font>y");
  const auto* x = surface.Find("x");
  EXPECT_EQ(x->font.face, "Courier New");
  EXPECT_EQ(x->font.height, 18);
  EXPECT_EQ(x->color, MakeColor(255, 0, 0));
  EXPECT_TRUE(x->font.italic && x->font.underline);
  EXPECT_EQ(x->font.weight, 100);
  const auto* y = surface.Find("y");
  EXPECT_EQ(y->font.height, kHeight);
  EXPECT_EQ(y->color, 0u);
}

TEST_F(HtmlLayoutTest, SheetRulesForTagsAndClasses) {
  drawer.SetStyleSheet("body {font-size:20px} .note {color:#00ff00; text-transform:uppercase}");
  Draw("a<span class=NOTE>bc</span><h1>d</h1>");
  EXPECT_EQ(surface.Find("a")->font.height, 20);
  EXPECT_EQ(surface.Find("BC")->color, MakeColor(0, 255, 0));
  EXPECT_EQ(surface.Find("d")->font.height, 20);  // no h1 rule in this sheet
}

TEST_F(HtmlLayoutTest, BreakCountDirectlyAfterTheName) {
  EXPECT_EQ(Measure("a<br=3>b"), (Size{kAdvance + 1, 4 * kHeight + 1}));
  EXPECT_EQ(Measure("a<br 3>b"), (Size{kAdvance + 1, 2 * kHeight + 1}));
  EXPECT_EQ(Measure("a<br=0>b"), (Size{kAdvance + 1, 2 * kHeight + 1}));
  EXPECT_EQ(Measure("a</br>b\nc"), (Size{kAdvance + 1, 3 * kHeight + 1}));
  EXPECT_EQ(Measure("a<br><br>"), (Size{kAdvance + 1, 2 * kHeight + 1}));  // a trailing empty line takes no room
}

TEST_F(HtmlLayoutTest, LineFeedFlagOff) {
  drawer.SetLineFeedsAreMarkup(false);
  EXPECT_EQ(Measure("a\nb\tc"), (Size{3 * kAdvance + 1, kHeight + 1}));
}

TEST_F(HtmlLayoutTest, LongWordOnAnEmptyLineBreaksBetweenCharacters) {
  drawer.SetMaxWidth(5 * kAdvance);
  Draw("abcdefghijkl");
  ASSERT_EQ(surface.runs.size(), 3u);
  EXPECT_EQ(surface.runs[0].text, "abcde");
  EXPECT_EQ(surface.runs[1].text, "fghij");
  EXPECT_EQ(surface.runs[2].text, "kl");
  EXPECT_EQ(surface.runs[2].y, 2 * kHeight);
}

TEST_F(HtmlLayoutTest, LongWordOnANonEmptyLineMovesWhole) {
  drawer.SetMaxWidth(5 * kAdvance);
  Draw("ab<b>cdefg</b>");
  ASSERT_EQ(surface.runs.size(), 2u);
  EXPECT_EQ(surface.runs[1].text, "cdefg");
  EXPECT_EQ(surface.runs[1].x, 0);
  EXPECT_EQ(surface.runs[1].y, kHeight);
}

TEST_F(HtmlLayoutTest, WrapsAfterHyphensAndSpaces) {
  drawer.SetMaxWidth(7 * kAdvance);
  EXPECT_EQ(Measure("well-known fact"), (Size{5 * kAdvance + 1, 3 * kHeight + 1}));
  Draw("well-known fact");
  ASSERT_EQ(surface.runs.size(), 3u);
  EXPECT_EQ(surface.runs[0].text, "well-");
  EXPECT_EQ(surface.runs[1].text, "known");
  EXPECT_EQ(surface.runs[2].text, "fact");
}

TEST_F(HtmlLayoutTest, WidthIsCutToTheMaximum) {
  drawer.SetMaxWidth(10);
  // "ab" wraps to two lines; the second, with a 50-pixel rule, is cut to the maximum.
  EXPECT_EQ(Measure("<string idres=0>ab<hr width=50>"), (Size{11, 2 * kHeight + 1}));
}

TEST_F(HtmlLayoutTest, TabStops) {
  drawer.SetTabWidth(32);
  Draw("<font size=16px>abcde<t>x<br>abcde<t=2>y<br><t>z", {10, 0, 200, 100});
  EXPECT_EQ(surface.Find("x")->x, 10 + 64);
  EXPECT_EQ(surface.Find("y")->x, 10 + 96);
  EXPECT_EQ(surface.Find("z")->x, 10 + 32);
}

TEST_F(HtmlLayoutTest, HorizontalAlignment) {
  Draw("<center>ab</center><br><right>cd</right><br>ef", {10, 0, 110, 100});
  EXPECT_EQ(surface.Find("ab")->x, 10 + (100 - 12) / 2);
  EXPECT_EQ(surface.Find("cd")->x, 10 + 100 - 12);
  EXPECT_EQ(surface.Find("ef")->x, 10);
}

TEST_F(HtmlLayoutTest, JustificationSpreadsWrappedLinesOnly) {
  drawer.SetMaxWidth(10 * kAdvance);
  Draw("<justify>aa bb cc dd ee</justify>", {0, 0, 10 * kAdvance, 100});
  ASSERT_EQ(surface.runs.size(), 2u);
  EXPECT_EQ(surface.runs[0].text, "aa bb cc");
  ASSERT_EQ(surface.justifications.size(), 1u);  // the last line is not justified
  EXPECT_EQ(surface.justifications[0], (std::pair<int, int>{2 * kAdvance, 2}));
  // The justified pixels are in the drawing: "cc" ends at the right edge.
  EXPECT_NE(surface.image.At(10 * kAdvance - 2, 5), 0x00FFFFFFu);
}

TEST_F(HtmlLayoutTest, VerticalPlacementInTheLine) {
  // A 20-pixel font makes the line: ascent 15, descent 5, height 20.
  Draw("<font size=20px>A</font><top>t</top><vcenter>m</vcenter><bottom>o</bottom>b");
  EXPECT_EQ(surface.Find("A")->y, 0);
  EXPECT_EQ(surface.Find("t")->y, 0);
  EXPECT_EQ(surface.Find("m")->y, (20 - kHeight) / 2);
  EXPECT_EQ(surface.Find("o")->y, 20 - 10);
  EXPECT_EQ(surface.Find("b")->y, 20 - 10 - 5);
}

TEST_F(HtmlLayoutTest, RuleAcrossTheAreaAtTheMiddleOfItsLine) {
  EXPECT_EQ(Measure("<hr>"), (Size{1, 10}));
  Draw("<hr color=#0000ff>", {0, 0, 50, 20});
  EXPECT_EQ(surface.image.At(0, 4), ColorToPixel(MakeColor(0, 0, 255)));
  EXPECT_EQ(surface.image.At(49, 4), ColorToPixel(MakeColor(0, 0, 255)));
  EXPECT_EQ(surface.image.At(50, 4), 0x00FFFFFFu);
  EXPECT_EQ(surface.image.At(0, 5), 0x00FFFFFFu);
}

TEST_F(HtmlLayoutTest, OverlineIsDrawnByHand) {
  Draw("<font style=o>ab</font>");
  EXPECT_EQ(surface.image.At(0, 0), 0u);
  EXPECT_EQ(surface.image.At(11, 0), 0u);
  EXPECT_EQ(surface.image.At(0, 1), 0x00FFFFFFu);
}

TEST_F(HtmlLayoutTest, ColoursDisabledDrawEverythingFlat) {
  drawer.SetColorsEnabled(false);
  drawer.SetReplacementColor(MakeColor(1, 2, 3));
  Draw("<font color=red bkgnd=yellow>x</font>");
  EXPECT_EQ(surface.Find("x")->color, MakeColor(1, 2, 3));
  EXPECT_EQ(surface.image.At(0, 0), 0x00FFFFFFu);  // no opaque background
}

TEST_F(HtmlLayoutTest, TransformsAndStringResources) {
  ports.images->AddString(12, "loaded text");
  HtmlDrawer withStrings(ports.Platform());
  withStrings.SetStyleSheet("body {text-transform:capitalize}");
  withStrings.Measure(surface, "hELLO wORLD<string idres=12><string iddll=0x0C>");
  withStrings.Draw(surface, {0, 0, 200, 100});
  ASSERT_EQ(surface.runs.size(), 3u);
  EXPECT_EQ(surface.runs[0].text, "Hello World");
  EXPECT_EQ(surface.runs[1].text, "Loaded Text");
}

TEST_F(HtmlLayoutTest, DamagedTextsNeverFail) {
  drawer.SetMaxWidth(17);
  const char* texts[] = {
      "<",
      "<<",
      "<>",
      "</",
      "</>",
      "<=>",
      "< >",
      "<br=>",
      "<t=99999999999>",
      "<hr width=%>",
      "<a",
      "<table",
      "<table><tr><td>",
      "</table></table>x",
      "<table><td colspan=99999 rowspan=-3>x",
      "<table border=9 borderstyle=double><tr><td rowspan=3>a<td>b<tr><td>c</table>",
      "<table><tr><td><table><tr><td><table>deep",
      "<font size=99999999>x",
      "<br=30000><br=30000>x",
      "<a href='unterminated>x",
      "<span class>x",
      "<bmp idres=1 width=0>",
      "<ilst idres=1 cx=0 cy=0>",
      "&amp;&amp;&lt;&lt;&gt;",
      "\xFF\xFE\x01<b\x00>",
  };
  for (const char* text : texts) {
    drawer.Measure(surface, text);
    drawer.Draw(surface, {0, 0, 200, 120});
  }
  std::string noise;
  unsigned seed = 12345;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise += "<>/= abt&;#\n\t"[(seed >> 16) % 13];
  }
  drawer.Measure(surface, noise);
  drawer.Draw(surface, {0, 0, 200, 120});
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<table><tr><td><b><font size=+1>";
  drawer.Measure(surface, deep + "x");
  drawer.Draw(surface, {0, 0, 200, 120});
  SUCCEED();
}

}  // namespace
}  // namespace tessel
