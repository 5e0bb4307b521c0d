#include "richtext/system_colors.h"

#include <array>

namespace tessel {

ColorRef FixedSystemColors::Get(int index) const {
  // The classic grey scheme, indexed like the platform's system colours.
  static constexpr std::array<ColorRef, 25> kClassic = {
      MakeColor(212, 208, 200), MakeColor(58, 110, 165),  MakeColor(10, 36, 106),   MakeColor(128, 128, 128),
      MakeColor(212, 208, 200), MakeColor(255, 255, 255), MakeColor(0, 0, 0),       MakeColor(0, 0, 0),
      MakeColor(0, 0, 0),       MakeColor(255, 255, 255), MakeColor(212, 208, 200), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(10, 36, 106),   MakeColor(255, 255, 255), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(128, 128, 128), MakeColor(0, 0, 0),       MakeColor(212, 208, 200),
      MakeColor(255, 255, 255), MakeColor(64, 64, 64),    MakeColor(212, 208, 200), MakeColor(0, 0, 0),
      MakeColor(255, 255, 225),
  };
  if (index < 0 || index >= static_cast<int>(kClassic.size())) return 0;
  return kClassic[static_cast<std::size_t>(index)];
}

}  // namespace tessel
