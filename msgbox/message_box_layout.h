#pragma once
// What the message box decides without a window: its texts and captions, the
// sizes of its areas and buttons, where the buttons, the check box and the
// separator titles go, the bands behind the texts, and the texts themselves.
// The Windows dialog (msgbox_win32/) measures and paints through these, so
// the same rules run on the software surface in the native tests.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "msgbox/message_box_call.h"
#include "richtext/html_drawer.h"

namespace tessel {

// Layout lengths in pixels, as they are at 100% (96 DPI); ForDpi gives them
// for a scaled display, where the box's font and texts are as much larger.
struct MessageBoxMetrics {
  int messageMargin = 14;       // around every rich text, each side
  int checkBoxLeft = 10;        // from the client's left edge to the check box
  int checkBoxSize = 13;        // the check box square, as the system draws it
  int checkBoxLabelExtra = 40;  // the width beside the check box's label
  int buttonGap = 11;           // between buttons, and before the first
  int buttonAreaMargin = 11;    // below the button row
  int minButtonWidth = 80;      // buttons grow from this to fit their captions
  int minButtonHeight = 23;

  static MessageBoxMetrics ForDpi(int dpi);
};

// The notification message the drawers send the box when the link under the
// mouse changes.
inline constexpr unsigned kMessageBoxLinkNotify = 0x8064;

// The texts of one box, resolved through text references and the caption rule.
struct MessageBoxTexts {
  std::string header;   // only with a header height
  std::string message;  // prepared: right-aligned and beside the icon as asked
  std::string more;
  std::string headerTitle;  // separator titles, only for bands with a separator style
  std::string buttonTitle;
  std::string moreTitle;
  std::string checkBox;              // the check box's label; empty without the check box style
  std::vector<std::string> buttons;  // plain captions in button order; More as "More >>"
  std::string less;                  // "<< More", the More button's caption while expanded
  std::string countdownFormat;       // the caption while counting down
};

// The buttons and texts of a box.
struct MessageBoxModel {
  MessageBoxButtons buttons;
  MessageBoxTexts texts;
  std::uint32_t DefaultId() const { return buttons.ids[buttons.defaultIndex]; }
};

// The message as the drawer gets it: wrapped in "<right>" for the right-align
// style, and put in a table cell beside the icon when there is one.
std::string PrepareMessageText(std::string text, std::uint32_t style, std::uint32_t iconHandle, int iconWidth);

// Resolves every text of the record. hasOwner: the box has an owner (a Report
// button needs one); iconHandle 0: no icon.
MessageBoxModel BuildMessageBoxModel(const MessageBoxParams& params, const StringResources& strings, bool hasOwner,
                                     std::uint32_t iconHandle, int iconWidth);

// Sizes in pixels; the areas lie top to bottom: header, message, buttons, and
// below them the more area, shown only while expanded.
struct MessageBoxAreas {
  int width = 0;  // client width
  int headerHeight = 0;
  int messageHeight = 0;
  int buttonAreaHeight = 0;
  int moreHeight = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  Size checkBoxLabel;  // zero without the check box

  int CollapsedHeight() const { return headerHeight + messageHeight + buttonAreaHeight; }
  int ExpandedHeight() const { return CollapsedHeight() + moreHeight; }
  Rect Header() const { return {0, 0, width, headerHeight}; }
  Rect Message() const { return {0, headerHeight, width, headerHeight + messageHeight}; }
  Rect Buttons() const { return {0, Message().bottom, width, CollapsedHeight()}; }
  Rect More() const { return {0, CollapsedHeight(), width, ExpandedHeight()}; }
};

// The platform's own dialog look: texts in the dialog font, and the etched
// line and embossed titles of separators.
class DialogLook {
 public:
  virtual ~DialogLook() = default;
  virtual Size MeasureText(std::string_view text) = 0;
  virtual void DrawEtchedLine(Surface& surface, int left, int right, int y) = 0;
  // Draws a title with its top-left corner at (x, y).
  virtual void DrawEmbossedText(Surface& surface, int x, int y, std::string_view text) = 0;
};

// Rounds as the platform's MulDiv does: value * numerator / denominator, halves away from zero.
int MulDivRound(int value, int numerator, int denominator);

// The three rich texts of a box, their sizes, and their links.
class MessageBoxContent {
 public:
  explicit MessageBoxContent(const HtmlPlatform& platform, const MessageBoxMetrics& metrics = {});
  const MessageBoxMetrics& Metrics() const { return metrics_; }

  HtmlDrawer& HeaderDrawer() { return header_; }
  HtmlDrawer& MessageDrawer() { return message_; }
  HtmlDrawer& MoreDrawer() { return more_; }

  // Measures the texts with the drawers on `surface` and the captions and
  // titles with `look`.
  const MessageBoxAreas& Measure(const MessageBoxParams& params, const MessageBoxTexts& texts, Surface& surface,
                                 DialogLook& look);
  const MessageBoxAreas& Areas() const { return areas_; }

  // Draws the texts into their areas (the more text only when expanded) of a
  // client area `clientHeight` high.
  void Draw(Surface& surface, bool expanded, int clientHeight);

  // Links: the header, message and more drawers in turn, each only when its
  // area exists; true when one of them set the link cursor.
  bool SetCursorForPoint(Point point);
  void Click(Point point);

 private:
  HtmlDrawer header_;
  HtmlDrawer message_;
  HtmlDrawer more_;
  MessageBoxMetrics metrics_;
  MessageBoxAreas areas_;
};

// Where the buttons go: one row at the bottom of `client`, above the check
// box when it is placed below them. Alignment 0 left, 1 right, else centred.
std::vector<Rect> PlaceButtonRow(const Rect& client, std::size_t count, int width, int height, int alignment,
                                 bool checkBoxBelow, const MessageBoxMetrics& metrics = {});

struct CheckBoxPlace {
  Rect box;
  Rect label;
};
CheckBoxPlace PlaceCheckBox(const Rect& client, Size label, int buttonHeight, bool below,
                            const MessageBoxMetrics& metrics = {});

// A separator at height y between left and right: where its title goes (its
// top-left corner), and the pieces of line, [from, to) each.
struct SeparatorLayout {
  std::optional<Point> title;
  std::vector<std::pair<int, int>> lines;
};
SeparatorLayout LayOutSeparator(int left, int right, int y, Size title, int alignment);

// Paints the cached background: the background band over the whole client
// area (as if expanded; the button face when it has no fill), then the header,
// button and more bands with their separators. Band colours that name a
// system colour (kButtonFaceColour) are read from `system`.
void PaintMessageBoxBands(Surface& surface, DrawManager& draw, DialogLook& look, const MessageBoxParams& params,
                          const MessageBoxTexts& texts, const MessageBoxAreas& areas, const SystemColors& system);

}  // namespace tessel
