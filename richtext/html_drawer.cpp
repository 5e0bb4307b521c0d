#include "richtext/html_drawer.h"

#include "richtext/html_pass.h"

namespace tessel {
namespace {

bool ContainsInclusive(const Rect& rect, Point p) {
  return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
}

}  // namespace

HtmlDrawer::HtmlDrawer(HtmlPlatform platform) : platform_(std::move(platform)), colors_(*platform_.systemColors) {}

HtmlDrawer::~HtmlDrawer() { SetResourceModule(nullptr, false); }

void HtmlDrawer::SetResourceModule(ModuleHandle module, bool owned) {
  if (ownsResourceModule_ && resourceModule_ && resourceModule_ != module)
    platform_.images->ReleaseModule(resourceModule_);
  resourceModule_ = module;
  ownsResourceModule_ = owned && module != nullptr;
}

Size HtmlDrawer::Measure(Surface& surface, std::string_view text) {
  text_ = entities_.Prepare(text, lineFeedsAreMarkup_);
  if (text_ == entities_.Prepare("", lineFeedsAreMarkup_)) {
    text_.clear();
    lines_.clear();
    tables_.clear();
    linkAreas_.clear();
    return {0, 0};
  }
  Size size = HtmlPass(*this, surface, HtmlPass::Mode::kMeasure).Run(MakeRect(0, 0, maxWidth_, 0));
  if (size.cx == 0 && size.cy == 0) text_.clear();
  if (maxWidth_ > 0 && size.cx > maxWidth_) size.cx = maxWidth_;
  return {size.cx + 1, size.cy + 1};
}

void HtmlDrawer::Draw(Surface& surface, const Rect& rect) {
  if (text_.empty()) return;
  // Lines and tables are measured again for this surface and the current
  // hover state, so that the records always fit the text being drawn.
  HtmlPass(*this, surface, HtmlPass::Mode::kMeasure).Run(MakeRect(0, 0, maxWidth_, 0));
  HtmlPass(*this, surface, HtmlPass::Mode::kDraw).Run(rect);
}

void HtmlDrawer::BindHost(WindowHandle window, unsigned message, std::intptr_t lParam) {
  hostWindow_ = window;
  hostMessage_ = window ? message : 0;
  hostLParam_ = window ? lParam : 0;
}

void HtmlDrawer::BindMessageLinks(WindowHandle window, unsigned message, std::intptr_t lParam) {
  linkWindow_ = window;
  linkMessage_ = window ? message : 0;
  linkLParam_ = window ? lParam : 0;
}

bool HtmlDrawer::SetCursorForPoint(Point point) {
  for (const LinkArea& area : linkAreas_) {
    if (!ContainsInclusive(area.rect, point)) continue;
    // The host redraws while it handles the message, which rebuilds the areas.
    const bool hasTarget = !area.target.empty();
    if (area.index != hoverIndex_) {
      hoverIndex_ = area.index;
      if (hostWindow_) platform_.windowMessages->SendWindowMessage(hostWindow_, hostMessage_, hoverIndex_, hostLParam_);
    }
    return hasTarget && platform_.linkCursor->Show();
  }
  if (hoverIndex_ != kNoHover) {
    hoverIndex_ = kNoHover;
    if (hostWindow_) platform_.windowMessages->SendWindowMessage(hostWindow_, hostMessage_, kNoHover, hostLParam_);
  }
  return false;
}

void HtmlDrawer::Click(Point point) {
  for (const LinkArea& area : linkAreas_) {
    if (!ContainsInclusive(area.rect, point)) continue;
    // A copy: whoever handles the link may draw again and rebuild the areas.
    const std::string target = area.target;
    const int kind = area.kind;
    if (target.empty()) return;
    if (kind == kLinkShell) {
      OpenShellLink(target, *platform_.shell);
    } else if (kind == kLinkMessage && linkWindow_) {
      platform_.windowMessages->SendWindowMessage(linkWindow_, linkMessage_,
                                                  reinterpret_cast<std::intptr_t>(target.c_str()), linkLParam_);
    }
    return;
  }
}

}  // namespace tessel
