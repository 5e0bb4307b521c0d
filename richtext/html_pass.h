#pragma once
// One walk of the rich text drawer over its text: the measure pass lays out
// lines and tables and records them; the draw pass walks the same text again
// and draws from those records. Internal to HtmlDrawer.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/html_drawer.h"
#include "richtext/html_lengths.h"

namespace tessel {

class HtmlPass {
 public:
  enum class Mode { kMeasure, kDraw };

  HtmlPass(HtmlDrawer& drawer, Surface& surface, Mode mode);
  ~HtmlPass();  // puts back the surface's colours and background mode
  HtmlPass(const HtmlPass&) = delete;
  HtmlPass& operator=(const HtmlPass&) = delete;

  // Lays out (and in the draw pass draws) the drawer's text from the area's
  // top-left corner; the area's width is what alignment and percentages use.
  Size Run(const Rect& area);

 private:
  struct StackEntry {
    std::string styleName;
    HtmlStyle saved;
  };
  // The line being filled by a text block.
  struct LineState {
    int left = 0;  // of the area
    int areaWidth = 0;
    int top = 0;             // of the line
    int offset = 0;          // content width placed so far
    int lineStart = 0;       // draw: x where the aligned line begins
    std::size_t record = 0;  // measure: index into the drawer's line records
    LineRecord drawRecord;   // draw: the record of this line
    int justifyExtra = 0;    // draw: free width spread over the line's spaces
    int justifySpaces = 0;
    int spacesDone = 0;
    int extraDone = 0;
    int widest = 0;  // measure: widest line of the block
  };

  bool Drawing() const { return mode_ == Mode::kDraw; }

  // Blocks.
  Size LayoutBlocks(std::string_view text, int left, int top, int areaWidth);
  Size LayoutTextBlock(std::string_view text, int left, int top, int areaWidth);
  Size LayoutTable(std::string_view text, int left, int top, int areaWidth);
  void MeasureTable(std::string_view text, int areaWidth, TableLayout& table);
  void DrawTable(const TableLayout& table, int left, int top, int areaWidth, Size tableSize);

  // Lines.
  void StartLine();
  void EndLine(bool byBreak, int count);
  LineRecord& Record() { return drawer_.lines_[line_.record]; }
  int CurrentX() const { return line_.lineStart + line_.offset + line_.extraDone; }
  int PieceTop(int height, int ascent) const;  // vertical placement in the current line
  void NoteAlign();

  // Tokens.
  void TextRun(std::string text);
  void PlaceText(std::string_view piece);
  void Tag(const HtmlToken& token);
  void StyleTag(const HtmlTagInfo& info, const HtmlToken& token);
  void Rule(const HtmlAttributes& attributes);
  void Tab(int count);
  void StringResource(const HtmlAttributes& attributes);
  void Image(int code, const HtmlAttributes& attributes);
  void AddLinkArea(const Rect& rect);

  // Styles.
  void SelectStyle();
  LengthBasis Basis() const;
  void ApplyRule(std::string_view selector, HtmlStyle& style) const;
  void ApplyFontAttributes(const HtmlAttributes& attributes);
  void ApplyLinkAttributes(const HtmlAttributes& attributes);
  void ApplyBoxAttributes(const HtmlAttributes& attributes, int areaWidth, HtmlStyle& style) const;

  HtmlDrawer& drawer_;
  Surface& surface_;
  Mode mode_;

  HtmlStyle style_;
  std::vector<StackEntry> stack_;
  FontMetrics metrics_;
  LineState line_;
  std::size_t lineCursor_ = 0;   // draw: next line record
  std::size_t tableCursor_ = 0;  // next table record
  std::size_t animationCursor_ = 0;
  int linkCounter_ = 0;
  int tableDepth_ = 0;  // tables within tables being laid out

  ColorRef savedTextColor_;
  ColorRef savedBackgroundColor_;
  BackgroundMode savedBackgroundMode_;
};

// Counts written as "=N" right after a tag name ("br", "t"): at least 1.
int TagCount(std::string_view attributeText, const LengthBasis& basis);
// A text run after the style's text transform.
std::string TransformText(std::string text, int transform);

}  // namespace tessel
