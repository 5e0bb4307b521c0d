// Tables: cutting into rows and cells, column widths with spans and fixed
// columns, stretching, borders and cell placement (body font: 6 x 13 pixels a
// byte; cells keep 2 pixels of padding by default).
#include <gtest/gtest.h>

#include "richtext/html_drawer.h"
#include "richtext/html_table_source.h"
#include "tests/richtext/html_test_ports.h"
#include "tests/richtext/html_test_surface.h"

namespace tessel {
namespace {

TEST(HtmlTableSourceTest, FindsTablesAndCutsRowsAndCells) {
  std::string_view text =
      "a<<table>b<table border=1><tr><td>x<table><tr><td>in</table></td><td>y</tr><tr><td>z</table>c";
  std::size_t start = FindTableStart(text, 0);
  EXPECT_EQ(text.substr(start, 16), "<table border=1>");
  std::size_t end = FindTableEnd(text, start);
  EXPECT_EQ(text.substr(end), "c");
  TableSource table = ParseTable(text.substr(start, end - start));
  EXPECT_EQ(table.attributes, "border=1");
  ASSERT_EQ(table.rows.size(), 2u);
  ASSERT_EQ(table.rows[0].cells.size(), 2u);
  EXPECT_EQ(table.rows[0].cells[0].content, "x<table><tr><td>in</table>");
  EXPECT_EQ(table.rows[0].cells[1].content, "y");
  EXPECT_EQ(table.rows[1].cells[0].content, "z");
  EXPECT_EQ(FindTableEnd("<table><tr><td>open", 0), 19u);
}

class HtmlTableTest : public ::testing::Test {
 protected:
  Size Measure(std::string_view text) { return drawer.Measure(surface, text); }
  void Draw(std::string_view text, Rect rect) {
    drawer.Measure(surface, text);
    drawer.Draw(surface, rect);
  }
  TestPorts ports;
  HtmlDrawer drawer{ports.Platform()};
  RecordingSurface surface{300, 200};
};

TEST_F(HtmlTableTest, ColumnWidthsFromSingleCellsThenSpans) {
  // Single cells: 4 * 6 + 4 = 28 and 6 + 4 = 10. The spanning cell needs
  // 10 * 6 + 4 = 64: the shortfall 26 goes 13 and 13 to the two columns.
  Size size = Measure("<table><tr><td>aaaa</td><td>b</td></tr><tr><td colspan=2>cccccccccc</td></tr></table>");
  ASSERT_EQ(drawer.Lines().size(), 5u);  // the text blocks before and after, and one line per cell
  EXPECT_EQ(size, (Size{41 + 23 + 1 + 1, 17 + 17 + 1 + 1}));
  drawer.Draw(surface, {0, 0, 65, 35});
  EXPECT_EQ(surface.Find("aaaa")->x, 2);
  EXPECT_EQ(surface.Find("b")->x, 41 + 1 + 2);
  EXPECT_EQ(surface.Find("cccccccccc")->y, 17 + 1 + 2);
}

TEST_F(HtmlTableTest, ShortfallRemainderGoesToTheFirstColumn) {
  // 8 * 6 + 4 = 52 against 3 * 10: the shortfall 22 is 7 for each column and 1 more for the first.
  Draw("<table><tr><td>a<td>b<td>c<tr><td colspan=3>dddddddd</table>", {0, 0, 10, 100});
  EXPECT_EQ(surface.Find("b")->x, 18 + 1 + 2);
  EXPECT_EQ(surface.Find("c")->x, 18 + 1 + 17 + 1 + 2);
}

TEST_F(HtmlTableTest, ExtraWidthGoesToColumnsThatAreNotFixed) {
  Draw("<table><tr><td width=30>a</td><td>b</td><td>c</td></tr></table>", {0, 0, 200, 100});
  // Natural: 34 (fixed), 10, 10 and two boundaries: 56; the free 144 goes 72 and 72.
  EXPECT_EQ(surface.Find("a")->x, 2);
  EXPECT_EQ(surface.Find("b")->x, 35 + 2);
  EXPECT_EQ(surface.Find("c")->x, 35 + 82 + 1 + 2);
}

TEST_F(HtmlTableTest, AllFixedColumnsLetAlignmentMoveTheTable) {
  Draw("<table align=center><tr><td width=20>a</td></tr></table>", {0, 0, 100, 100});
  // The table's alignment is also its cells' text alignment: "a" is centred in its 20 pixels.
  EXPECT_EQ(surface.Find("a")->x, (100 - 24) / 2 + 2 + (20 - 6) / 2);
}

TEST_F(HtmlTableTest, BordersSpacingAndPadding) {
  // Border 2 on each side, spacing 3 around cells, padding 4 and a 1-pixel cell border.
  Size size =
      Measure("<table border=2 cellspacing=3 cellpadding=4 bordercolor=#ff0000><tr><td>a</td><td>b</td></tr></table>");
  const int cell = 6 + 2 * (1 + 4);
  EXPECT_EQ(size, (Size{2 * cell + 3 * 3 + 1 + 4 + 1, 13 + 10 + 2 * 3 + 4 + 1}));
  drawer.Draw(surface, {0, 0, size.cx - 1, size.cy - 1});
  EXPECT_EQ(surface.Find("a")->x, 2 + 3 + 1 + 4);
  EXPECT_EQ(surface.Find("b")->x, 2 + 3 + cell + 3 + 1 + 1 + 4);
  EXPECT_EQ(surface.image.At(0, 5), ColorToPixel(MakeColor(255, 0, 0)));            // table border
  EXPECT_EQ(surface.image.At(2 + 3, 8), ColorToPixel(MakeColor(255, 0, 0)));        // cell border
  EXPECT_EQ(surface.image.At(3, 8), 0x00FFFFFFu);                                   // spacing
  EXPECT_EQ(surface.image.At(size.cx - 2, 5), ColorToPixel(MakeColor(255, 0, 0)));  // inside its box
  EXPECT_EQ(surface.image.At(size.cx - 1, 5), 0x00FFFFFFu);
}

TEST_F(HtmlTableTest, RowSpansAndGridSlots) {
  Draw("<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td></tr></table>", {0, 0, 10, 100});
  EXPECT_EQ(surface.Find("c")->x, surface.Find("b")->x);  // "c" takes the free slot beside the span
  EXPECT_EQ(surface.Find("c")->y, 17 + 1 + 2);
}

TEST_F(HtmlTableTest, CellFillAndVerticalCentre) {
  Draw("<table><tr><td height=33 valign=middle bgcolor=#00ff00>a</td></tr></table>", {0, 0, 10, 100});
  EXPECT_EQ(surface.image.At(0, 0), ColorToPixel(MakeColor(0, 255, 0)));
  EXPECT_EQ(surface.Find("a")->y, 2 + (33 - 13) / 2);
}

TEST_F(HtmlTableTest, TableFillEffectsAndColoursDisabled) {
  const char* text = "<table bgeffect=hgradient bgcolor=black bgendcolor=white><tr><td width=60>a</td></tr></table>";
  Draw(text, {0, 0, 64, 100});
  EXPECT_EQ(surface.image.At(0, 10), ColorToPixel(0));
  EXPECT_GT(PixelRed(surface.image.At(62, 10)), 200);
  drawer.SetColorsEnabled(false);
  RecordingSurface flat{300, 200};
  drawer.Measure(flat, text);
  drawer.Draw(flat, {0, 0, 64, 100});
  EXPECT_EQ(flat.image.At(62, 10), 0x00FFFFFFu);  // backgrounds are transparent
}

TEST(HtmlTableBackgroundTest, BackgroundPictureIsTiled) {
  TestPorts ports;
  auto images = ports.images;
  PixelImage tile(2, 2, ColorToPixel(MakeColor(0, 0, 255)));
  tile.Set(1, 1, ColorToPixel(MakeColor(255, 0, 0)));
  images->AddBitmap(ImageSource::From::kFile, {0, "tile.bmp"}, tile);
  HtmlDrawer drawer(ports.Platform());
  RecordingSurface surface;
  drawer.Measure(surface, "<table background=tile.bmp><tr><td>&nbsp;</td></tr></table>");
  drawer.Draw(surface, {0, 0, 10, 17});
  EXPECT_EQ(surface.image.At(8, 14), ColorToPixel(MakeColor(0, 0, 255)));
  EXPECT_EQ(surface.image.At(9, 15), ColorToPixel(MakeColor(255, 0, 0)));
  EXPECT_EQ(surface.image.At(10, 15), 0x00FFFFFFu);
}

TEST_F(HtmlTableTest, TextAroundATableStacksAsBlocks) {
  Size size = Measure("top<table><tr><td>x</td></tr></table>bottom");
  EXPECT_EQ(size, (Size{6 * 6 + 1, 13 + 17 + 13 + 1}));
  drawer.Draw(surface, {0, 0, 100, 100});
  EXPECT_EQ(surface.Find("bottom")->y, 13 + 17);
}

}  // namespace
}  // namespace tessel
