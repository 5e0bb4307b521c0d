#pragma once
// HtmlDrawer measures and draws the short rich texts of the message box (and
// of anything else that wants them): markup, styles and the style sheet, lines,
// word wrap, tabs, rules, images, tables, and links that react to the mouse.
// It draws through a Surface and owns a DrawManager for fills, frames, lines
// and images; the platform comes in through small ports (HtmlPlatform).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "draw/draw_manager.h"
#include "richtext/html_colors.h"
#include "richtext/html_layout_records.h"
#include "richtext/html_markup.h"
#include "richtext/html_style_sheet.h"
#include "richtext/image_loader.h"
#include "richtext/link_ports.h"
#include "draw/surface.h"
#include "richtext/system_colors.h"

namespace tessel {

// The ports a drawer works through; every one must be given (the Windows
// program's come from MakeWin32HtmlPlatform, the tests have their doubles).
struct HtmlPlatform {
  std::shared_ptr<const SystemColors> systemColors;
  std::shared_ptr<ImageLoader> images;
  std::shared_ptr<WindowMessagePort> windowMessages;
  std::shared_ptr<LinkCursorPort> linkCursor;
  std::shared_ptr<ShellPort> shell;
};

struct ImageShadowSettings {
  int offsetX = 4;
  int offsetY = 4;
  int darkness = 50;  // percent
  bool gradient = true;
  int depthX = 7;  // blur window
  int depthY = 7;
};

class HtmlDrawer {
 public:
  static constexpr int kNoHover = -2;

  explicit HtmlDrawer(HtmlPlatform platform);
  ~HtmlDrawer();
  HtmlDrawer(const HtmlDrawer&) = delete;
  HtmlDrawer& operator=(const HtmlDrawer&) = delete;

  // Measures a text for a surface and keeps it for drawing: 0 x 0 for an
  // empty text; otherwise the size plus one pixel each way.
  Size Measure(Surface& surface, std::string_view text);
  // Draws the last measured text into a rectangle.
  void Draw(Surface& surface, const Rect& rect);

  // Links. The host is told (by a sent message) when the link under the mouse
  // changes; message links are sent to their own window.
  void BindHost(WindowHandle window, unsigned message, std::intptr_t lParam);
  void BindMessageLinks(WindowHandle window, unsigned message, std::intptr_t lParam);
  // True when the point is on a link with a target and the link cursor was set.
  bool SetCursorForPoint(Point point);
  void Click(Point point);
  int HoverIndex() const { return hoverIndex_; }
  const std::vector<LinkArea>& LinkAreas() const { return linkAreas_; }

  // Markup and styles.
  void SetLineFeedsAreMarkup(bool on) { lineFeedsAreMarkup_ = on; }
  void SetStyleSheet(const char* text) { styleSheet_.Set(text); }
  void SetColorName(const std::string& name, ColorRef color) { colors_.SetColorName(name, color); }
  void SetColorsEnabled(bool enabled) { colors_.SetEnabled(enabled); }
  void SetReplacementColor(ColorRef color) { colors_.SetReplacement(color); }

  // Layout settings.
  void SetMaxWidth(int width) { maxWidth_ = width < 0 ? 0 : width; }
  void SetTabWidth(int width) { tabWidth_ = width < 0 ? 0 : width; }
  void SetImageShadow(const ImageShadowSettings& shadow) { shadow_ = shadow; }
  // Module of "iddll" images without "srcdll"; an owned module is freed when
  // replaced and when the drawer goes.
  void SetResourceModule(ModuleHandle module, bool owned);

  DrawManager& GetDrawManager() { return drawManager_; }
  const std::vector<LineRecord>& Lines() const { return lines_; }

 private:
  friend class HtmlPass;

  HtmlPlatform platform_;
  HtmlEntities entities_;
  HtmlTagTable tags_;
  HtmlStyleSheet styleSheet_;
  HtmlColors colors_;
  DrawManager drawManager_;

  bool lineFeedsAreMarkup_ = true;
  int maxWidth_ = 0;
  int tabWidth_ = 32;
  ImageShadowSettings shadow_;
  ModuleHandle resourceModule_ = nullptr;
  bool ownsResourceModule_ = false;

  WindowHandle hostWindow_ = nullptr;
  unsigned hostMessage_ = 0;
  std::intptr_t hostLParam_ = 0;
  WindowHandle linkWindow_ = nullptr;
  unsigned linkMessage_ = 0;
  std::intptr_t linkLParam_ = 0;

  std::string text_;  // prepared text of the last measure; empty draws nothing
  std::vector<LineRecord> lines_;
  std::vector<TableLayout> tables_;
  std::vector<AnimationRecord> animations_;
  std::vector<LinkArea> linkAreas_;
  int hoverIndex_ = kNoHover;
};

}  // namespace tessel
