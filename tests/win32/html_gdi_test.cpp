// The rich text drawer with real GDI fonts under Wine: sizes are plausible,
// the runs are laid out as with the software surface and drawn where their
// measures put them, nothing is drawn outside the rectangle, and a sample text
// is written as a picture (html_sample.bmp in the working folder) for a look
// by eye.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw_win32/gdi_dib.h"
#include "draw_win32/gdi_image.h"
#include "draw_win32/gdi_surface.h"
#include "win32_base/wide_path.h"
#include "richtext_win32/html_platform_win32.h"
#include "tests/richtext/html_test_surface.h"

namespace tessel {
namespace {

constexpr Pixel kPaper = 0x00FFFFFF;

// A white 32-bit picture with a GDI surface over it.
class GdiCanvas {
 public:
  GdiCanvas(int width, int height) : screen_(GetDC(nullptr)), dib_(screen_, width, height) {
    dib_.Store(PixelImage(width, height, kPaper));
    surface_.emplace(dib_.dc());
  }
  ~GdiCanvas() {
    surface_.reset();
    ReleaseDC(nullptr, screen_);
  }
  bool ok() const { return dib_.ok(); }
  Surface& surface() { return *surface_; }
  PixelImage Pixels() {
    GdiFlush();
    return dib_.Load();
  }

 private:
  HDC screen_;
  GdiDib dib_;
  std::optional<GdiSurface> surface_;
};

// Counts the pixels that are not paper inside and outside a rectangle.
std::pair<int, int> InkInsideAndOutside(const PixelImage& image, const Rect& rect) {
  int inside = 0, outside = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      if ((image.At(x, y) & 0xFFFFFF) == kPaper) continue;
      (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom ? inside : outside)++;
    }
  return {inside, outside};
}

TEST(HtmlGdiTest, TextSizesArePlausible) {
  GdiCanvas canvas(300, 100);
  ASSERT_TRUE(canvas.ok());
  HtmlDrawer drawer(MakeWin32HtmlPlatform());
  Size plain = drawer.Measure(canvas.surface(), "Recovery finished");
  EXPECT_GE(plain.cy, 12);  // 10pt Verdana at 96 dpi is 13 pixels high
  EXPECT_LE(plain.cy, 20);
  EXPECT_GE(plain.cx, 17 * 4);
  EXPECT_LE(plain.cx, 17 * 12);
  Size bold = drawer.Measure(canvas.surface(), "<b>Recovery finished</b>");
  EXPECT_GE(bold.cx, plain.cx);
  Size two = drawer.Measure(canvas.surface(), "Recovery<br>finished");
  EXPECT_EQ(two.cy - 1, 2 * (plain.cy - 1));
  Size big = drawer.Measure(canvas.surface(), "<h1>Recovery finished</h1>");
  EXPECT_GT(big.cy, plain.cy);
  drawer.SetMaxWidth(60);
  Size wrapped = drawer.Measure(canvas.surface(), "Recovery finished");
  EXPECT_LE(wrapped.cx, 61);
  EXPECT_GE(wrapped.cy - 1, 2 * (plain.cy - 1));
}

// Whether a run ends its line: the next run starts a line further down.
std::vector<bool> LineEnds(const std::vector<RunRecorder::Run>& runs) {
  std::vector<bool> ends;
  for (std::size_t i = 0; i < runs.size(); ++i) ends.push_back(i + 1 == runs.size() || runs[i + 1].y > runs[i].y);
  return ends;
}

TEST(HtmlGdiTest, RunsSitWhereTheirMeasuresPutThem) {
  const char* text =
      "Recovery <b>finished</b> today,<br><font color=red>3</font> damaged records<br>"
      "<b>125</b> whole <font color=#008000>and saved</font>";
  const Rect rect = MakeRect(20, 30, 360, 100);

  // The software surface's layout of the same text: the runs and their lines.
  RecordingSurface soft(400, 160);
  HtmlDrawer softDrawer(MakeWin32HtmlPlatform());
  softDrawer.Measure(soft, text);
  softDrawer.Draw(soft, rect);

  GdiCanvas canvas(400, 160);
  ASSERT_TRUE(canvas.ok());
  RunRecorder gdi(canvas.surface());
  HtmlDrawer drawer(MakeWin32HtmlPlatform());
  const Size size = drawer.Measure(gdi, text);
  drawer.Draw(gdi, rect);
  const PixelImage pixels = canvas.Pixels();

  ASSERT_EQ(gdi.runs.size(), soft.runs.size());
  for (std::size_t i = 0; i < gdi.runs.size(); ++i) EXPECT_EQ(gdi.runs[i].text, soft.runs[i].text) << i;
  EXPECT_EQ(LineEnds(gdi.runs), LineEnds(soft.runs));
  const std::vector<LineRecord>& lines = drawer.Lines();
  ASSERT_EQ(lines.size(), 3u);

  // Each line starts at the left edge, its runs follow one another by their
  // measured widths and stand on the line's base line; the lines follow one
  // another by their heights; the size is the widest line and the lines' total.
  std::size_t line = 0;
  int lineTop = rect.top;
  int x = rect.left;
  int widest = 0;
  const std::vector<bool> ends = LineEnds(gdi.runs);
  for (std::size_t i = 0; i < gdi.runs.size(); ++i) {
    const RunRecorder::Run& run = gdi.runs[i];
    ASSERT_LT(line, lines.size());
    EXPECT_EQ(run.x, x) << run.text;
    EXPECT_EQ(run.y + run.metrics.ascent, lineTop + lines[line].height - lines[line].descent) << run.text;
    x += run.size.cx;
    if (ends[i]) {
      EXPECT_EQ(x - rect.left, lines[line].width) << "line " << line;
      widest = std::max(widest, x - rect.left);
      lineTop += lines[line].height;
      x = rect.left;
      ++line;
    }
  }
  EXPECT_EQ(size, (Size{widest + 1, lineTop - rect.top + 1}));

  // Every run's cell has ink, and there is none outside the cells (a pixel of
  // slack to each side for glyphs that overhang their advance).
  auto inCell = [](const RunRecorder::Run& run, int px, int py) {
    return px >= run.x - 1 && px <= run.x + run.size.cx && py >= run.y && py < run.y + run.metrics.height;
  };
  std::vector<int> ink(gdi.runs.size(), 0);
  int stray = 0;
  for (int py = 0; py < pixels.Height(); ++py)
    for (int px = 0; px < pixels.Width(); ++px) {
      if ((pixels.At(px, py) & 0xFFFFFF) == kPaper) continue;
      bool found = false;
      for (std::size_t i = 0; i < gdi.runs.size(); ++i)
        if (inCell(gdi.runs[i], px, py)) {
          ++ink[i];
          found = true;
        }
      if (!found) ++stray;
    }
  for (std::size_t i = 0; i < gdi.runs.size(); ++i) EXPECT_GT(ink[i], 0) << gdi.runs[i].text;
  EXPECT_EQ(stray, 0);
}

// Entities are UTF-8 characters, which GDI draws as themselves, not as U+FFFD.
TEST(HtmlGdiTest, EntitiesDrawAsTheirCharacters) {
  GdiCanvas canvas(200, 40);
  ASSERT_TRUE(canvas.ok());
  RunRecorder gdi(canvas.surface());
  HtmlDrawer drawer(MakeWin32HtmlPlatform());
  drawer.Measure(gdi, "&copy; &bull; &trade; &pound;");
  drawer.Draw(gdi, MakeRect(0, 0, 200, 40));
  ASSERT_EQ(gdi.runs.size(), 1u);
  EXPECT_TRUE(WidePath(gdi.runs[0].text) == L"\u00A9 \u2022 \u2122 \u00A3");
}

TEST(HtmlGdiTest, NothingIsDrawnOutsideTheRectangle) {
  const char* texts[] = {
      "Recovery <b>finished</b>: <font color=red>3</font> damaged<br><i>records</i> skipped.",
      "<center>centred</center><br><right>right</right><br><hr size=2><br><a href=x>a link</a>",
      "<table border=1 bgcolor=#ffeeaa><tr><td>one</td><td>two</td></tr><tr><td colspan=2>three</td></tr></table>",
      "<table border=2 borderstyle=solid><tr><td>a</td></tr></table><table border=3 "
      "borderstyle=double><tr><td>b</td></tr></table>",
      "<pre>code</pre> <code>x</code> <sub>low</sub><sup>high</sup> <u>under</u> <s>struck</s>",
  };
  for (const char* text : texts) {
    GdiCanvas canvas(400, 200);
    ASSERT_TRUE(canvas.ok());
    HtmlDrawer drawer(MakeWin32HtmlPlatform());
    Size size = drawer.Measure(canvas.surface(), text);
    ASSERT_GT(size.cx, 1) << text;
    const Rect rect = MakeRect(20, 30, size.cx, size.cy);
    drawer.Draw(canvas.surface(), rect);
    auto [inside, outside] = InkInsideAndOutside(canvas.Pixels(), rect);
    EXPECT_GT(inside, 0) << text;
    EXPECT_EQ(outside, 0) << text;
  }
}

TEST(HtmlGdiTest, SamplePicture) {
  HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
  std::vector<DWORD> squares(24 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) squares[y * 24 + x] = ((x / 8 + y / 8) % 2) ? 0x003366CC : 0x00FFCC00;
  HBITMAP bitmap = CreateBitmap(24, 16, 1, 32, squares.data());
  char text[2048];
  std::snprintf(text, sizeof text,
                "<h2>Recovery finished</h2><br>"
                "Found <b>128 messages</b> in the store, <font color=red><b>3</b> damaged</font> and "
                "<font color=#008000>125 whole</font>.<br>"
                "<hr width=100%% size=2 color=#ff9900>"
                "<table border=1 cellpadding=4 bordercolor=gray bgcolor=#fffbe0>"
                "<tr><td width=32 valign=middle><icon handle=0x%X></td>"
                "<td><b>Store:</b> Inbox.imm<br><i>Index:</i> Inbox.imh</td></tr>"
                "<tr><td colspan=2 bgcolor=lightblue>Status: <font color=green><b>ready to save</b></font></td></tr>"
                "</table><br>"
                "See <a href=\"http://www.example.com/help\">the online help</a> for more.<br>"
                "<bmp handle=0x%X style=s> a picture with its shadow, <justify>and justified text that runs "
                "on long enough to wrap onto a second line at the maximum width.</justify>",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(icon)),
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(bitmap)));
  GdiCanvas measuring(10, 10);
  HtmlDrawer drawer(MakeWin32HtmlPlatform());
  drawer.SetMaxWidth(520);
  Size size = drawer.Measure(measuring.surface(), text);
  ASSERT_GT(size.cx, 100);
  const int margin = 14;
  GdiCanvas canvas(size.cx + 2 * margin, size.cy + 2 * margin);
  ASSERT_TRUE(canvas.ok());
  const Rect rect = MakeRect(margin, margin, size.cx, size.cy);
  drawer.Draw(canvas.surface(), rect);
  const PixelImage pixels = canvas.Pixels();
  auto [inside, outside] = InkInsideAndOutside(pixels, rect);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
  ASSERT_EQ(drawer.LinkAreas().size(), 1u);
  EXPECT_EQ(drawer.LinkAreas()[0].target, "http://www.example.com/help");
  EXPECT_TRUE(SaveBmpFile(pixels, "html_sample.bmp"));

  // The same text with the pointer over the link, which takes the hover rule.
  const Rect link = drawer.LinkAreas()[0].rect;
  EXPECT_TRUE(drawer.SetCursorForPoint({(link.left + link.right) / 2, (link.top + link.bottom) / 2}));
  GdiCanvas hovered(size.cx + 2 * margin, size.cy + 2 * margin);
  drawer.Draw(hovered.surface(), rect);
  const PixelImage hoverPixels = hovered.Pixels();
  EXPECT_FALSE(hoverPixels == pixels);
  EXPECT_TRUE(SaveBmpFile(hoverPixels, "html_sample_hover.bmp"));
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace tessel
