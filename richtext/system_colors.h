#pragma once
// Port to the desktop's colour scheme: the style sheet's system colour names
// ("buttonface", "windowtext", ...) and the flat colour of disabled texts read
// the current scheme through it.
#include "draw/color.h"

namespace tessel {

// System colour indexes as the platform numbers them.
enum SystemColorIndex {
  kSysColorScrollbar = 0,
  kSysColorBackground = 1,
  kSysColorActiveCaption = 2,
  kSysColorInactiveCaption = 3,
  kSysColorMenu = 4,
  kSysColorWindow = 5,
  kSysColorWindowFrame = 6,
  kSysColorMenuText = 7,
  kSysColorWindowText = 8,
  kSysColorCaptionText = 9,
  kSysColorActiveBorder = 10,
  kSysColorInactiveBorder = 11,
  kSysColorAppWorkspace = 12,
  kSysColorHighlight = 13,
  kSysColorHighlightText = 14,
  kSysColorButtonFace = 15,
  kSysColorButtonShadow = 16,
  kSysColorGrayText = 17,
  kSysColorButtonText = 18,
  kSysColorInactiveCaptionText = 19,
  kSysColorButtonHighlight = 20,
  kSysColor3dDarkShadow = 21,
  kSysColor3dLight = 22,
  kSysColorInfoText = 23,
  kSysColorInfoBackground = 24,
};

class SystemColors {
 public:
  virtual ~SystemColors() = default;
  virtual ColorRef Get(int index) const = 0;
};

}  // namespace tessel
