#pragma once
// The box's dialog look on Windows: texts measured in the dialog font, etched
// separator lines (DrawEdge) and embossed titles (DrawState), drawn on the
// device context of a GdiSurface.
#include "msgbox/message_box_layout.h"
#include "draw_win32/gdi_surface.h"

namespace tessel {

class Win32DialogLook final : public DialogLook {
 public:
  explicit Win32DialogLook(HFONT font) : font_(font) {}  // borrowed

  Size MeasureText(std::string_view text) override;
  // Both draw only on a GdiSurface.
  void DrawEtchedLine(Surface& surface, int left, int right, int y) override;
  void DrawEmbossedText(Surface& surface, int x, int y, std::string_view text) override;

 private:
  HFONT font_;
};

// The system message font (the message font of the non-client metrics), or
// null when the system does not say.
framework::UniqueFont CreateMessageFont();

}  // namespace tessel
