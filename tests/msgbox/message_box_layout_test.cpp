// The message box's layout on the software surface: area sizes, button sizes
// and rows, the check box, separators and the bands. Rich text uses the
// surface's fixed font (10pt: 13 pixels high, 6 a byte; a measure adds one
// pixel each way); the dialog font is a fixed 7 x 13 per byte.
#include "msgbox/message_box_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "draw/software_surface.h"
#include "tests/richtext/html_test_ports.h"

namespace tessel {
namespace {

namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

constexpr int kCharWidth = 7;    // of the test dialog font
constexpr int kCharHeight = 13;  // of the test dialog font
constexpr int kRichAdvance = 6;
constexpr int kRichHeight = 13;
constexpr ColorRef kEtchColour = 0x808080;
constexpr ColorRef kTitleColour = 0x0000FF;

// A dialog look with fixed metrics that draws etched lines as two grey rows
// and titles as solid boxes, and records what it drew.
class FixedLook : public DialogLook {
 public:
  Size MeasureText(std::string_view text) override { return {static_cast<int>(text.size()) * kCharWidth, kCharHeight}; }
  void DrawEtchedLine(Surface& surface, int left, int right, int y) override {
    etched.push_back({left, right, y});
    surface.FillSolidRect({left, y, right, y + 2}, kEtchColour);
  }
  void DrawEmbossedText(Surface& surface, int x, int y, std::string_view text) override {
    titles.push_back({x, y, std::string(text)});
    const Size size = MeasureText(text);
    surface.FillSolidRect(MakeRect(x, y, size.cx, size.cy), kTitleColour);
  }
  struct Line {
    int left, right, y;
  };
  struct Title {
    int x, y;
    std::string text;
  };
  std::vector<Line> etched;
  std::vector<Title> titles;
};

class TableStrings : public StringResources {
 public:
  std::map<std::uint32_t, std::string> table;
  std::string Load(ModuleHandle, std::uint32_t id) const override {
    const auto found = table.find(id);
    return found == table.end() ? std::string() : found->second;
  }
};

// A box laid out from a record, as the dialog lays it out.
struct LaidOutBox {
  explicit LaidOutBox(const MessageBoxParams& record, bool hasOwner = false) : params(record) {
    model = BuildMessageBoxModel(params, strings, hasOwner, 0, 0);
    content.Measure(params, model.texts, surface, look);
  }
  const MessageBoxAreas& Areas() const { return content.Areas(); }
  // The cached background the box would paint, as big as the expanded client.
  PixelImage Bands() {
    PixelImage bands(Areas().width, Areas().ExpandedHeight(), 0);
    SoftwareSurface target(bands);
    DrawManager draw;
    PaintMessageBoxBands(target, draw, look, params, model.texts, Areas(), FixedSystemColors());
    return bands;
  }

  MessageBoxParams params;
  TableStrings strings;
  MessageBoxModel model;
  TestPorts ports;
  MessageBoxContent content{ports.Platform()};
  PixelImage image{600, 400, 0x00FFFFFF};
  SoftwareSurface surface{image};
  FixedLook look;
};

MessageBoxParams Record(const char* text, std::uint32_t style = 0) {
  MessageBoxParams params;
  params.messageText = text;
  params.style = style;
  return params;
}

TEST(MessageBoxAreas, NoticeIsItsMessageAndAButtonRow) {
  const LaidOutBox box(Record("abc"));
  const MessageBoxAreas& areas = box.Areas();
  // "abc" measures 19 x 14; 14 pixels of margin on each side.
  EXPECT_EQ(areas.messageHeight, kRichHeight + 1 + 28);
  EXPECT_EQ(areas.headerHeight, 0);
  EXPECT_EQ(areas.moreHeight, 0);
  EXPECT_EQ(areas.buttonWidth, 80);  // "OK" scales to 25 x 23: the minimum wins
  EXPECT_EQ(areas.buttonHeight, 23);
  EXPECT_EQ(areas.buttonAreaHeight, 11 + 23);
  EXPECT_EQ(areas.width, 11 + 1 * (11 + 80));  // the row is wider than the text
  EXPECT_EQ(areas.CollapsedHeight(), 42 + 34);
}

TEST(MessageBoxAreas, WidestCandidateWins) {
  const std::string line(50, 'a');  // 301 pixels of text
  const LaidOutBox box(Record(line.c_str(), S::kYesNoCancel));
  EXPECT_EQ(box.Areas().width, 50 * kRichAdvance + 1 + 28);
  EXPECT_GT(box.Areas().width, 11 + 3 * (11 + 80));

  MessageBoxParams titled = Record("abc");
  titled.buttonBand.separatorStyle = 1;
  titled.buttonBand.separatorText = "A rather long separator title here";  // 34 bytes
  EXPECT_EQ(LaidOutBox(titled).Areas().width, 34 * kCharWidth + 10);
}

TEST(MessageBoxAreas, HeaderIsAtLeastItsGivenHeightAndAddsItsTitle) {
  MessageBoxParams params = Record("abc");
  params.headerHeight = 20;
  params.headerText = "hdr";
  params.headerBand.separatorStyle = 2;
  const std::string title(30, 't');
  params.headerBand.separatorText = title.c_str();
  LaidOutBox small(params);
  EXPECT_EQ(small.Areas().headerHeight, kRichHeight + 1 + 28);  // the text is taller than 20
  EXPECT_EQ(small.Areas().width, 30 * kCharWidth + 10);

  params.headerHeight = 70;
  EXPECT_EQ(LaidOutBox(params).Areas().headerHeight, 70);
  params.headerText = TextRef();
  EXPECT_EQ(LaidOutBox(params).Areas().headerHeight, 70);  // a header without text
  params.headerHeight = 0;                                 // no header at all, nor its title
  params.headerText = "hdr";
  const LaidOutBox none(params);
  EXPECT_EQ(none.Areas().headerHeight, 0);
  EXPECT_EQ(none.Areas().width, 102);
}

TEST(MessageBoxAreas, ButtonAreaGrowsForABandAndTheCheckBox) {
  MessageBoxParams params = Record("abc");
  params.buttonBand.fillEffect = 0;
  EXPECT_EQ(LaidOutBox(params).Areas().buttonAreaHeight, 22 + 23);
  params.buttonBand.fillEffect = -1;
  params.buttonBand.separatorStyle = 3;
  EXPECT_EQ(LaidOutBox(params).Areas().buttonAreaHeight, 22 + 23);

  params = Record("abc", S::kCheckBox);
  params.checkBoxText = "Never ask me about this one again";  // 33 bytes
  const LaidOutBox checked(params);
  EXPECT_EQ(checked.Areas().buttonAreaHeight, 11 + 13 + 11 + 23);
  EXPECT_EQ(checked.Areas().checkBoxLabel, (Size{33 * kCharWidth, 13}));
  EXPECT_EQ(checked.Areas().width, 33 * kCharWidth + 2 * 10 + 20);
}

TEST(MessageBoxAreas, MoreAreaIsMeasuredButLeftOutOfTheCollapsedBox) {
  MessageBoxParams params = Record("abc");
  params.moreText = "one<br>two";
  const LaidOutBox box(params);
  EXPECT_EQ(box.Areas().moreHeight, 2 * kRichHeight + 1 + 28);
  EXPECT_EQ(box.Areas().CollapsedHeight(), box.Areas().messageHeight + box.Areas().buttonAreaHeight);
  EXPECT_EQ(box.Areas().ExpandedHeight(), box.Areas().CollapsedHeight() + box.Areas().moreHeight);
  EXPECT_EQ(box.model.buttons.ids, (std::vector<std::uint32_t>{B::kOk, B::kMore}));
}

TEST(MessageBoxButtonSize, CaptionsScaleAndTheMoreButtonFitsBothCaptions) {
  MessageBoxParams params = Record("abc");
  params.customButtons = "Keep every single message";      // 25 bytes: 175 x 13
  EXPECT_EQ(LaidOutBox(params).Areas().buttonWidth, 311);  // 175 * 80 / 45 = 311.1
  EXPECT_EQ(LaidOutBox(params).Areas().buttonHeight, 23);

  const std::map<std::uint32_t, TextRef> captions{{B::kLess, "<< Fewer details here"}};  // 21 bytes
  params = Record("abc");
  params.moreText = "x";
  params.captionOverrides = &captions;
  const LaidOutBox box(params);
  EXPECT_EQ(box.model.texts.buttons.back(), "More >>");
  EXPECT_EQ(box.Areas().buttonWidth, 261);  // 147 * 80 / 45 = 261.3
  EXPECT_EQ(box.Areas().width, 11 + 2 * (11 + 261));
}

TEST(MessageBoxButtonRow, ThreeAlignmentsAndTheCheckBoxBelow) {
  const Rect client{0, 0, 400, 100};
  const int rowWidth = 3 * 80 + 2 * 11;
  struct Case {
    int alignment;
    int left;
  };
  for (const Case& c :
       {Case{0, 11}, Case{1, 400 - 11 - rowWidth}, Case{2, (400 - rowWidth) / 2}, Case{7, (400 - rowWidth) / 2}}) {
    const std::vector<Rect> row = PlaceButtonRow(client, 3, 80, 23, c.alignment, false);
    ASSERT_EQ(row.size(), 3u);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(row[i], MakeRect(c.left + i * 91, 100 - 11 - 23, 80, 23)) << "alignment " << c.alignment;
  }
  EXPECT_EQ(PlaceButtonRow(client, 1, 80, 23, 0, true)[0].top, 100 - 11 - 23 - 24);
}

TEST(MessageBoxCheckBox, SitsAboveOrBelowTheButtons) {
  const Rect client{0, 0, 300, 120};
  const CheckBoxPlace above = PlaceCheckBox(client, {50, 13}, 23, false);
  EXPECT_EQ(above.box, (Rect{10, 120 - 22 - 23 - 13, 23, 120 - 22 - 23}));
  EXPECT_EQ(above.label, (Rect{29, 62, 79, 75}));
  const CheckBoxPlace below = PlaceCheckBox(client, {50, 13}, 23, true);
  EXPECT_EQ(below.box.bottom, 109);
  EXPECT_EQ(below.label.bottom, 109);
  // Below the buttons the row moves up by as much as the check box needs.
  EXPECT_EQ(PlaceButtonRow(client, 1, 80, 23, 2, true)[0].bottom, below.box.top - 11);
}

TEST(MessageBoxSeparator, TitleAtEitherEndOrCentredWithLinePieces) {
  using Pieces = std::vector<std::pair<int, int>>;
  const SeparatorLayout plain = LayOutSeparator(0, 200, 50, {}, 2);
  EXPECT_FALSE(plain.title);
  EXPECT_EQ(plain.lines, (Pieces{{5, 195}}));

  const SeparatorLayout left = LayOutSeparator(0, 200, 50, {40, 13}, 0);
  EXPECT_EQ(left.title, (Point{5, 44}));
  EXPECT_EQ(left.lines, (Pieces{{50, 195}}));

  const SeparatorLayout right = LayOutSeparator(0, 200, 50, {40, 13}, 1);
  EXPECT_EQ(right.title, (Point{155, 44}));
  EXPECT_EQ(right.lines, (Pieces{{5, 150}}));

  const SeparatorLayout centre = LayOutSeparator(0, 200, 50, {40, 13}, 2);
  EXPECT_EQ(centre.title, (Point{80, 44}));
  EXPECT_EQ(centre.lines, (Pieces{{5, 75}, {125, 195}}));

  // A title that fills the span leaves no line.
  EXPECT_TRUE(LayOutSeparator(0, 60, 10, {50, 13}, 2).lines.empty());
}

TEST(MessageBoxText, RightAlignedAndBesideTheIcon) {
  EXPECT_EQ(PrepareMessageText("Hi", S::kRightAlign, 0, 32), "<right>Hi</right>");
  EXPECT_EQ(PrepareMessageText("Hi", 0, 0x1A2B, 32),
            "<table cellpadding=5><tr><td width=32><icon handle=0x1A2B></td><td>Hi</td></tr></table>");
}

TEST(MessageBoxModel, CustomListCheckBoxCaptionAndReport) {
  MessageBoxParams params = Record("text", S::kOkCancel | S::kCheckBox);
  params.customButtons = "A\r\nB\n\nC\nD\nE";
  params.checkBoxText = "Skip this next time";
  params.reportMessage = 0x8123;
  LaidOutBox box(params, false);
  EXPECT_EQ(box.model.buttons.ids, (std::vector<std::uint32_t>{23, 24, 25, 26}));
  EXPECT_EQ(box.model.texts.buttons, (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_FALSE(box.model.buttons.cancellable);  // a custom list is never cancellable
  EXPECT_EQ(box.model.texts.checkBox, "Skip this next time");

  // The check box caption: an override, then the string table, then the given text.
  box.strings.table[9012] = "From the table";
  EXPECT_EQ(BuildMessageBoxModel(params, box.strings, false, 0, 0).texts.checkBox, "From the table");
  const std::map<std::uint32_t, TextRef> overrides{{B::kCheckBox, "Overridden"}};
  params.captionOverrides = &overrides;
  EXPECT_EQ(BuildMessageBoxModel(params, box.strings, false, 0, 0).texts.checkBox, "Overridden");
  params.style |= S::kNoResourceTexts;
  params.captionOverrides = nullptr;
  EXPECT_EQ(BuildMessageBoxModel(params, box.strings, false, 0, 0).texts.checkBox, "Skip this next time");
  params.checkBoxText = TextRef();
  EXPECT_EQ(BuildMessageBoxModel(params, box.strings, false, 0, 0).texts.checkBox, "Do not show again");

  // Report only with an owner.
  params = Record("text", S::kOkCancel);
  params.reportMessage = 0x8123;
  EXPECT_EQ(BuildMessageBoxModel(params, box.strings, false, 0, 0).buttons.ids,
            (std::vector<std::uint32_t>{B::kOk, B::kCancel}));
  const MessageBoxModel owned = BuildMessageBoxModel(params, box.strings, true, 0, 0);
  EXPECT_EQ(owned.buttons.ids, (std::vector<std::uint32_t>{B::kOk, B::kCancel, B::kReport}));
  EXPECT_TRUE(owned.buttons.cancellable);
}

// A copy of the box's client area as the draw manager fills one rectangle.
PixelImage FilledAlone(int width, int height, int effect, ColorRef a, ColorRef b, ColorRef c) {
  PixelImage image(width, height, 0x00FFFFFF);
  SoftwareSurface surface(image);
  DrawManager draw;
  draw.FillEffect(surface, effect, {0, 0, width, height}, a, b, c, 0, 0);
  return image;
}

TEST(MessageBoxBands, BackgroundIsTheDrawManagersFillOfTheWholeExpandedClient) {
  MessageBoxParams params = Record("abc");
  params.moreText = "more";
  params.background.fillEffect = 12;
  params.background.colourBegin = 0x86FDF7;
  params.background.colourMiddle = 0xFFFFFF;
  params.background.colourEnd = 0x86FDF7;
  LaidOutBox box(params);
  const MessageBoxAreas& areas = box.Areas();
  EXPECT_EQ(box.Bands(), FilledAlone(areas.width, areas.ExpandedHeight(), 12, 0x86FDF7, 0xFFFFFF, 0x86FDF7));

  // Without a fill the background is the button face.
  box.params.background.fillEffect = -1;
  EXPECT_EQ(PixelToColor(box.Bands().At(3, 3)), FixedSystemColors().Get(kSysColorButtonFace));
}

TEST(MessageBoxBands, BandsAndSeparatorsOverTheirAreas) {
  MessageBoxParams params = Record("abc");
  params.headerHeight = 40;
  params.headerBand = {1, 0, "Header", 0, 0x0000FF, 0x0000FF, 0x0000FF};
  params.buttonBand = {2, 2, "Go", 0, 0x00FF00, 0x00FF00, 0x00FF00};
  params.moreText = "more";
  params.moreBand = {3, 1, TextRef(), 0, 0xFF0000, 0xFF0000, 0xFF0000};
  LaidOutBox box(params);
  const MessageBoxAreas& a = box.Areas();
  const PixelImage image = box.Bands();
  auto colourAt = [&](int x, int y) { return PixelToColor(image.At(x, y)); };

  EXPECT_EQ(colourAt(a.width - 1, 0), 0x0000FFu);        // header band
  EXPECT_EQ(colourAt(a.width / 2, a.Message().top + 5),  // message: the background
            FixedSystemColors().Get(kSysColorButtonFace));
  EXPECT_EQ(colourAt(a.width - 1, a.Buttons().bottom - 1), 0x00FF00u);  // button band
  EXPECT_EQ(colourAt(a.width - 1, a.ExpandedHeight() - 1), 0xFF0000u);  // more band

  // Header: etched line after a title at the left, along the header's bottom edge.
  ASSERT_EQ(box.look.titles.size(), 2u);
  EXPECT_EQ(box.look.titles[0].text, "Header");
  EXPECT_EQ(box.look.titles[0].x, 5);
  EXPECT_EQ(box.look.titles[0].y, a.Header().bottom - kCharHeight / 2);
  ASSERT_EQ(box.look.etched.size(), 1u);
  EXPECT_EQ(box.look.etched[0].left, 5 + 6 * kCharWidth + 5);
  EXPECT_EQ(box.look.etched[0].y, a.Header().bottom);

  // Buttons: a black line on both sides of the centred title.
  const int y = a.Buttons().top;
  const int titleLeft = box.look.titles[1].x;
  EXPECT_EQ(titleLeft, 5 + (a.width - 10 - 2 * kCharWidth) / 2);
  EXPECT_EQ(colourAt(5, y), 0x000000u);
  EXPECT_EQ(colourAt(titleLeft - 6, y), 0x000000u);
  EXPECT_EQ(colourAt(titleLeft - 5, y), 0x00FF00u);
  EXPECT_EQ(colourAt(titleLeft + 2 * kCharWidth + 5, y), 0x000000u);
  EXPECT_EQ(colourAt(a.width - 6, y), 0x000000u);
  EXPECT_EQ(colourAt(a.width - 5, y), 0x00FF00u);

  // More: a white line over the whole span, no title.
  EXPECT_EQ(colourAt(5, a.More().top), 0xFFFFFFu);
  EXPECT_EQ(colourAt(a.width - 6, a.More().top), 0xFFFFFFu);
  EXPECT_EQ(colourAt(4, a.More().top), 0xFF0000u);
}

TEST(MessageBoxContent, TextsGoInsideTheirMarginsAndMoreOnlyWhenExpanded) {
  MessageBoxParams params = Record("msg");
  params.headerHeight = 1;
  params.headerText = "hdr";
  params.moreText = "mor";
  LaidOutBox box(params);
  const MessageBoxAreas& a = box.Areas();
  PixelImage image(a.width, a.ExpandedHeight(), 0x00FFFFFF);
  SoftwareSurface surface(image);
  auto inkRows = [&](int top, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < a.width; ++x) ink += (image.At(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return ink;
  };
  auto firstInkColumn = [&](int top, int bottom) {
    for (int x = 0; x < a.width; ++x)
      for (int y = top; y < bottom; ++y)
        if ((image.At(x, y) & 0xFFFFFF) != 0xFFFFFF) return x;
    return -1;
  };
  box.content.Draw(surface, false, a.CollapsedHeight());
  EXPECT_GT(inkRows(a.Header().top + 14, a.Header().bottom - 14), 0);
  EXPECT_EQ(inkRows(a.Header().top, a.Header().top + 14), 0);
  EXPECT_GT(inkRows(a.Message().top + 14, a.Message().bottom - 14), 0);
  EXPECT_EQ(firstInkColumn(a.Message().top, a.Message().bottom), 14 + 1);  // a glyph leaves its first column
  EXPECT_EQ(inkRows(a.More().top, a.ExpandedHeight()), 0);

  box.content.Draw(surface, true, a.ExpandedHeight());
  EXPECT_GT(inkRows(a.More().top + 14, a.ExpandedHeight()), 0);
}

}  // namespace
}  // namespace tessel
