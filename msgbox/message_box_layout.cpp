#include "msgbox/message_box_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tessel {

namespace {

namespace B = MessageBoxButton;

constexpr int kIconCellPadding = 5;       // around the icon and the text in the message table
constexpr int kSeparatorTitleExtra = 10;  // a separator title's share of the width, besides the title
constexpr int kSeparatorTextPadding = 5;  // between a separator's title and its line or end
// Button sizes grow from their caption's text size as the platform's own boxes do.
constexpr int kCaptionWidthScale[2] = {80, 45};
constexpr int kCaptionHeightScale[2] = {23, 13};

bool HasSeparator(const MessageBoxBand& band) { return band.separatorStyle != MessageBoxSeparator::kNone; }
bool HasFill(const MessageBoxBand& band) { return band.fillEffect >= 0; }

std::string SeparatorTitle(const MessageBoxBand& band, const MessageBoxParams& params, const StringResources& strings) {
  return HasSeparator(band) ? ResolveTextRef(band.separatorText, params, strings) : std::string();
}

// Band colours may name a system colour (high bit set, index in the low byte).
ColorRef BandColour(std::uint32_t colour, const SystemColors& system) {
  return (colour & 0x80000000u) ? system.Get(static_cast<int>(colour & 0xFF)) : static_cast<ColorRef>(colour);
}

void FillBand(Surface& surface, DrawManager& draw, const MessageBoxBand& band, const Rect& rect,
              const SystemColors& system) {
  if (!HasFill(band) || rect.IsEmpty()) return;
  draw.FillEffect(surface, band.fillEffect, rect, BandColour(band.colourBegin, system),
                  BandColour(band.colourMiddle, system), BandColour(band.colourEnd, system), 0, 0);
}

void DrawSeparator(Surface& surface, DrawManager& draw, DialogLook& look, const MessageBoxBand& band,
                   const std::string& title, int width, int y) {
  if (!HasSeparator(band)) return;
  const Size titleSize = title.empty() ? Size{} : look.MeasureText(title);
  const SeparatorLayout layout = LayOutSeparator(0, width, y, titleSize, band.separatorAlignment);
  if (layout.title) look.DrawEmbossedText(surface, layout.title->x, layout.title->y, title);
  constexpr ColorRef kBlack = 0x000000;
  constexpr ColorRef kWhite = 0xFFFFFF;
  for (const auto& [from, to] : layout.lines) {
    switch (band.separatorStyle) {
      case MessageBoxSeparator::kEtched:
        look.DrawEtchedLine(surface, from, to, y);
        break;
      case MessageBoxSeparator::kBlackLine:
        draw.DrawStyledLine(surface, from, y, to, y, kBlack, kLineSolid, 1);
        break;
      case MessageBoxSeparator::kWhiteLine:
        draw.DrawStyledLine(surface, from, y, to, y, kWhite, kLineSolid, 1);
        break;
      default:  // the title alone
        break;
    }
  }
}

// The rectangle a text is drawn into: its area less the margins.
Rect TextRect(const Rect& area, int margin) {
  return {area.left + margin, area.top + margin, area.right - margin, area.bottom - margin};
}

}  // namespace

int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = std::llabs(denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string PrepareMessageText(std::string text, std::uint32_t style, std::uint32_t iconHandle, int iconWidth) {
  if (style & MessageBoxStyle::kRightAlign) text = "<right>" + text + "</right>";
  if (iconHandle != 0) {
    char cell[128];
    std::snprintf(cell, sizeof cell, "<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td>",
                  kIconCellPadding, iconWidth, static_cast<unsigned>(iconHandle));
    text = cell + text + "</td></tr></table>";
  }
  return text;
}

MessageBoxModel BuildMessageBoxModel(const MessageBoxParams& params, const StringResources& strings, bool hasOwner,
                                     std::uint32_t iconHandle, int iconWidth) {
  MessageBoxModel model;
  MessageBoxTexts& texts = model.texts;
  std::vector<std::string> custom;
  if (!params.customButtons.IsNull())
    custom = SplitCustomButtons(ResolveTextRef(params.customButtons, params, strings));

  if (params.headerHeight != 0) texts.header = ResolveTextRef(params.headerText, params, strings);
  texts.message =
      PrepareMessageText(ResolveTextRef(params.messageText, params, strings), params.style, iconHandle, iconWidth);
  texts.more = ResolveTextRef(params.moreText, params, strings);
  texts.headerTitle = SeparatorTitle(params.headerBand, params, strings);
  texts.buttonTitle = SeparatorTitle(params.buttonBand, params, strings);
  texts.moreTitle = SeparatorTitle(params.moreBand, params, strings);
  if (params.style & MessageBoxStyle::kCheckBox) {
    const std::string given = ResolveTextRef(params.checkBoxText, params, strings);
    texts.checkBox = ButtonCaption(B::kCheckBox, params, strings, given.empty() ? nullptr : given.c_str());
  }
  texts.less = ButtonCaption(B::kLess, params, strings);
  texts.countdownFormat = ButtonCaption(B::kCountdownFormat, params, strings);

  const bool hasReport = params.reportMessage != 0 && hasOwner;
  model.buttons = ChooseButtons(params.style, custom.size(), hasReport, !texts.more.empty());
  for (std::uint32_t id : model.buttons.ids) {
    const std::size_t customIndex = id - B::kCustomFirst;
    const bool isCustom = id >= B::kCustomFirst && customIndex < custom.size();
    texts.buttons.push_back(isCustom ? custom[customIndex] : ButtonCaption(id, params, strings));
  }
  return model;
}

MessageBoxMetrics MessageBoxMetrics::ForDpi(int dpi) {
  const MessageBoxMetrics base;
  auto scale = [dpi](int length) { return MulDivRound(length, dpi, 96); };
  MessageBoxMetrics metrics;
  metrics.messageMargin = scale(base.messageMargin);
  metrics.checkBoxLeft = scale(base.checkBoxLeft);
  metrics.checkBoxSize = scale(base.checkBoxSize);
  metrics.checkBoxLabelExtra = scale(base.checkBoxLabelExtra);
  metrics.buttonGap = scale(base.buttonGap);
  metrics.buttonAreaMargin = scale(base.buttonAreaMargin);
  metrics.minButtonWidth = scale(base.minButtonWidth);
  metrics.minButtonHeight = scale(base.minButtonHeight);
  return metrics;
}

MessageBoxContent::MessageBoxContent(const HtmlPlatform& platform, const MessageBoxMetrics& metrics)
    : header_(platform), message_(platform), more_(platform), metrics_(metrics) {}

const MessageBoxAreas& MessageBoxContent::Measure(const MessageBoxParams& params, const MessageBoxTexts& texts,
                                                  Surface& surface, DialogLook& look) {
  MessageBoxAreas areas;
  int width = 0;
  auto candidate = [&width](int w) { width = std::max(width, w); };
  const MessageBoxMetrics& m = metrics_;
  const int kMargins = 2 * m.messageMargin;

  // Every drawer measures, so that one without a text keeps nothing of an earlier one.
  const Size header = header_.Measure(surface, texts.header);
  if (params.headerHeight != 0) {
    areas.headerHeight = std::max(params.headerHeight, 0);
    if (!texts.header.empty()) {
      candidate(header.cx + kMargins);
      areas.headerHeight = std::max(areas.headerHeight, header.cy + kMargins);
    }
    if (!texts.headerTitle.empty()) candidate(look.MeasureText(texts.headerTitle).cx + kSeparatorTitleExtra);
  }
  const Size message = message_.Measure(surface, texts.message);
  if (!texts.message.empty()) {
    areas.messageHeight = message.cy + kMargins;
    candidate(message.cx + kMargins);
  }
  const Size more = more_.Measure(surface, texts.more);
  if (!texts.more.empty()) {
    areas.moreHeight = more.cy + kMargins;
    candidate(more.cx + kMargins);
  }

  areas.buttonAreaHeight =
      HasFill(params.buttonBand) || HasSeparator(params.buttonBand) ? 2 * m.buttonAreaMargin : m.buttonAreaMargin;
  if (!texts.buttonTitle.empty()) candidate(look.MeasureText(texts.buttonTitle).cx + kSeparatorTitleExtra);
  if (params.style & MessageBoxStyle::kCheckBox) {
    areas.buttonAreaHeight += m.checkBoxSize + m.buttonAreaMargin;
    areas.checkBoxLabel = {look.MeasureText(texts.checkBox).cx, m.checkBoxSize};
    candidate(areas.checkBoxLabel.cx + m.checkBoxLabelExtra);
  }

  areas.buttonWidth = m.minButtonWidth;
  areas.buttonHeight = m.minButtonHeight;
  auto fit = [&](const std::string& caption) {
    const Size text = look.MeasureText(caption);
    areas.buttonWidth = std::max(areas.buttonWidth, MulDivRound(text.cx, kCaptionWidthScale[0], kCaptionWidthScale[1]));
    areas.buttonHeight =
        std::max(areas.buttonHeight, MulDivRound(text.cy, kCaptionHeightScale[0], kCaptionHeightScale[1]));
  };
  for (const std::string& caption : texts.buttons) fit(caption);
  if (!texts.more.empty()) fit(texts.less);  // the More button's other caption
  const int count = static_cast<int>(texts.buttons.size());
  candidate(m.buttonGap + count * (m.buttonGap + areas.buttonWidth));
  areas.buttonAreaHeight += areas.buttonHeight;

  areas.width = width;
  areas_ = areas;
  return areas_;
}

void MessageBoxContent::Draw(Surface& surface, bool expanded, int clientHeight) {
  const int margin = metrics_.messageMargin;
  if (areas_.headerHeight > 0) header_.Draw(surface, TextRect(areas_.Header(), margin));
  if (areas_.messageHeight > 0) message_.Draw(surface, TextRect(areas_.Message(), margin));
  if (expanded && areas_.moreHeight > 0) {
    Rect more = TextRect(areas_.More(), margin);
    more.bottom = clientHeight;
    more_.Draw(surface, more);
  }
}

bool MessageBoxContent::SetCursorForPoint(Point point) {
  if (areas_.headerHeight > 0 && header_.SetCursorForPoint(point)) return true;
  if (areas_.messageHeight > 0 && message_.SetCursorForPoint(point)) return true;
  return areas_.moreHeight > 0 && more_.SetCursorForPoint(point);
}

void MessageBoxContent::Click(Point point) {
  if (areas_.headerHeight > 0) header_.Click(point);
  if (areas_.messageHeight > 0) message_.Click(point);
  if (areas_.moreHeight > 0) more_.Click(point);
}

std::vector<Rect> PlaceButtonRow(const Rect& client, std::size_t count, int width, int height, int alignment,
                                 bool checkBoxBelow, const MessageBoxMetrics& m) {
  const int n = static_cast<int>(count);
  int top = client.bottom - m.buttonAreaMargin - height;
  if (checkBoxBelow) top -= m.checkBoxSize + m.buttonAreaMargin;
  const int rowWidth = n * (width + m.buttonGap) - m.buttonGap;
  int left = client.left + (client.Width() - rowWidth) / 2;
  if (alignment == MessageBoxAlign::kLeft) left = client.left + m.buttonGap;
  if (alignment == MessageBoxAlign::kRight) left = client.right - m.buttonGap - rowWidth;
  std::vector<Rect> row;
  row.reserve(count);
  for (int i = 0; i < n; ++i) row.push_back(MakeRect(left + i * (width + m.buttonGap), top, width, height));
  return row;
}

CheckBoxPlace PlaceCheckBox(const Rect& client, Size label, int buttonHeight, bool below, const MessageBoxMetrics& m) {
  const int bottom = below ? client.bottom - m.buttonAreaMargin : client.bottom - 2 * m.buttonAreaMargin - buttonHeight;
  const int top = bottom - m.checkBoxSize;
  const int boxLeft = client.left + m.checkBoxLeft;
  const int labelLeft = boxLeft + m.checkBoxSize + m.checkBoxSize / 2;
  return {{boxLeft, top, boxLeft + m.checkBoxSize, bottom}, {labelLeft, top, labelLeft + label.cx, bottom}};
}

SeparatorLayout LayOutSeparator(int left, int right, int y, Size title, int alignment) {
  constexpr int pad = kSeparatorTextPadding;
  const int from = left + pad;
  const int to = right - pad;
  SeparatorLayout layout;
  auto line = [&layout](int a, int b) {
    if (b > a) layout.lines.emplace_back(a, b);
  };
  if (title.cx <= 0) {
    line(from, to);
    return layout;
  }
  int x = from + (to - from - title.cx) / 2;
  if (alignment == MessageBoxAlign::kLeft) x = from;
  if (alignment == MessageBoxAlign::kRight) x = to - title.cx;
  layout.title = Point{x, y - title.cy / 2};
  line(from, x - pad);
  line(x + title.cx + pad, to);
  return layout;
}

void PaintMessageBoxBands(Surface& surface, DrawManager& draw, DialogLook& look, const MessageBoxParams& params,
                          const MessageBoxTexts& texts, const MessageBoxAreas& areas, const SystemColors& system) {
  const Rect whole{0, 0, areas.width, areas.ExpandedHeight()};
  if (HasFill(params.background))
    FillBand(surface, draw, params.background, whole, system);
  else
    surface.FillSolidRect(whole, system.Get(kSysColorButtonFace));

  if (areas.headerHeight > 0) {
    FillBand(surface, draw, params.headerBand, areas.Header(), system);
    DrawSeparator(surface, draw, look, params.headerBand, texts.headerTitle, areas.width, areas.Header().bottom);
  }
  FillBand(surface, draw, params.buttonBand, areas.Buttons(), system);
  DrawSeparator(surface, draw, look, params.buttonBand, texts.buttonTitle, areas.width, areas.Buttons().top);
  if (areas.moreHeight > 0) {
    FillBand(surface, draw, params.moreBand, areas.More(), system);
    DrawSeparator(surface, draw, look, params.moreBand, texts.moreTitle, areas.width, areas.More().top);
  }
}

}  // namespace tessel
