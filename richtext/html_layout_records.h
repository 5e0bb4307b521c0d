#pragma once
// What the measure pass of the rich text drawer records for the draw pass:
// one record per line and one per table, in the order the passes meet them;
// and what the draw pass collects: the hot areas of links.
#include <string>
#include <vector>

#include "draw/geometry.h"
#include "richtext/html_style.h"

namespace tessel {

struct LineRecord {
  int width = 0;    // of the line's content
  int height = 0;   // L: largest ascent (images and rules at full height) + largest descent
  int descent = 0;  // D: largest descent part
  int ascent = 0;
  int percent = 0;  // of the area width taken by percentage rules
  int align = kAlignLeft;
  int spaces = 0;            // for justification
  int breakCount = 1;        // a "br" with a count moves down that many line heights
  bool softWrapped = false;  // ended by word wrap: justified lines spread their free width
};

struct LinkArea {
  Rect rect;  // inclusive on all four sides
  int kind = kLinkNone;
  int index = -1;
  std::string target;
};

// An image strip with a speed; nothing advances it, so it shows its "index" frame.
struct AnimationRecord {
  int frame = 0;
  int frameCount = 0;
  int counter = 0;
  int speed = 0;
};

struct TableCellLayout {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  HtmlStyle style;
  std::string content;
  Size contentSize;  // of the laid-out content
  Size size;         // measured: content or wanted size, plus border and padding
};

struct TableLayout {
  HtmlStyle style;
  std::vector<int> columnWidths;
  std::vector<bool> fixedColumns;
  std::vector<int> rowHeights;
  std::vector<TableCellLayout> cells;
};

}  // namespace tessel
