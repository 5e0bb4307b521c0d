#include "app/wizard_message.h"

#include "draw/draw_manager.h"
#include "recovery/notice_lines.h"

namespace {
constexpr tessel::ColorRef kPaleYellow = tessel::MakeColor(0xF7, 0xFD, 0x86);
constexpr tessel::ColorRef kWhite = tessel::MakeColor(0xFF, 0xFF, 0xFF);
}  // namespace

tessel::MessageBoxParams WizardMessageBoxParams() {
  tessel::MessageBoxParams params;
  params.background.separatorStyle = tessel::MessageBoxSeparator::kNone;
  params.background.separatorAlignment = tessel::MessageBoxAlign::kCentre;
  // Blends begin, middle and end colours.
  params.background.fillEffect = tessel::kEffectVBump;
  params.background.colourBegin = kPaleYellow;
  params.background.colourMiddle = kWhite;
  params.background.colourEnd = kPaleYellow;
  return params;
}

std::uint32_t WizardMessageBox(const char* text, std::uint32_t style, const char* caption) {
  tessel::MessageBoxParams params = WizardMessageBoxParams();
  // The box grows as wide as its longest line: paths would take it past the screen.
  const std::string lines = tessel::recovery::BreakNoticeLines(text);
  return tessel::RichMessageBox(nullptr, lines.c_str(), caption, style, &params);
}
