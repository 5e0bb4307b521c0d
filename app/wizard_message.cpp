#include "app/wizard_message.h"

namespace {
// Fill effect of the draw manager that blends begin, middle and end colours.
constexpr int kBackgroundFillEffect = 12;
constexpr std::uint32_t kPaleYellow = 0x86FDF7;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kCentred = 2;
}  // namespace

tessel::MessageBoxParams WizardMessageBoxParams() {
  tessel::MessageBoxParams params;
  params.background.separatorStyle = 0;
  params.background.separatorAlignment = kCentred;
  params.background.fillEffect = kBackgroundFillEffect;
  params.background.colourBegin = kPaleYellow;
  params.background.colourMiddle = kWhite;
  params.background.colourEnd = kPaleYellow;
  return params;
}

std::uint32_t WizardMessageBox(const char* text, std::uint32_t style, const char* caption) {
  tessel::MessageBoxParams params = WizardMessageBoxParams();
  return tessel::RichMessageBox(nullptr, text, caption, style, &params);
}
