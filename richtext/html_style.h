#pragma once
// The current text style of a rich text: font, colours, decorations, alignment,
// margins, border and link state. A value type: the drawer keeps a stack of
// copies, one per open style tag.
#include <string>

#include "draw/pixel_image.h"

namespace tessel {

enum HtmlBackgroundMode { kBackgroundTransparent = 1, kBackgroundOpaque = 2 };
enum HtmlHorizontalAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };
enum HtmlVerticalAlign { kAlignTop = 0, kAlignVCenter = 1, kAlignBottom = 2, kAlignBaseline = 3 };
enum HtmlBorderStyle { kBorderNone = 0, kBorderSolid = 1, kBorderDashed = 2, kBorderDotted = 3, kBorderDouble = 6 };
enum HtmlTextTransform { kTransformNone = 0, kTransformUpper = 1, kTransformLower = 2, kTransformCapitalize = 3 };
enum HtmlLinkKind { kLinkNone = 0, kLinkShell = 1, kLinkMessage = 2 };

struct HtmlStyle {
  std::string styleName;  // of the tag that pushed this record
  int fontSize = 16;      // pixels, the font's cell height
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool overline = false;  // drawn by hand; fonts have no overline
  std::string fontFamily = "Verdana";
  ColorRef textColor = 0x000000;
  ColorRef backgroundColor = 0xFFFFFF;
  ColorRef borderColorLight = 0x000000;
  ColorRef borderColorDark = 0x000000;
  ColorRef backgroundMiddleColor = 0xFFFFFF;
  ColorRef backgroundEndColor = 0xFFFFFF;
  int backgroundMode = kBackgroundTransparent;
  int backgroundEffect = -1;  // fill effect of tables and cells; -1 none
  std::string backgroundImage;
  int horizontalAlign = kAlignLeft;
  int verticalAlign = kAlignBaseline;
  int borderStyle = kBorderNone;
  int borderWidth = 0;
  int wantedWidth = 0;   // "width" of tables and cells
  int wantedHeight = 0;  // "height" of tables and cells
  int textTransform = kTransformNone;
  int margin = 2;   // tables keep their cell padding here
  int padding = 0;  // tables keep their cell spacing here
  int linkKind = kLinkNone;
  std::string linkTarget;
  int linkIndex = -1;  // which link of the text this style belongs to
};

}  // namespace tessel
