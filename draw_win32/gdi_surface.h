#pragma once
// The drawing surface over a Windows device context. The context is borrowed:
// the surface never deletes it, and puts back on destruction what it changed
// for its own use (font, text alignment, clip region, justification). Text
// colours and background mode are left as the caller set them through the port.
// Coordinates are logical units of a context in MM_TEXT mode, i.e. pixels.
// Text is UTF-8, as our paths are, and is measured and drawn with the wide
// calls, so that a folder name outside the system code page shows as it is.

#include <optional>

#include "draw/surface.h"
#include "win32_base/gdi_handles.h"

namespace tessel {

class GdiSurface final : public Surface {
 public:
  explicit GdiSurface(HDC dc);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  HDC dc() const { return dc_; }

  int PixelsPerInchX() const override;
  int PixelsPerInchY() const override;

  void SetFont(const FontSpec& font) override;
  FontMetrics GetFontMetrics() const override;
  Size MeasureText(std::string_view text) const override;
  void DrawTextRun(int x, int y, std::string_view text) override;
  void SetTextJustification(int extraWidth, int breakCount) override;

  ColorRef SetTextColor(ColorRef color) override;
  ColorRef SetBackgroundColor(ColorRef color) override;
  BackgroundMode SetBackgroundMode(BackgroundMode mode) override;
  ColorRef GetTextColor() const override;
  ColorRef GetBackgroundColor() const override;
  BackgroundMode GetBackgroundMode() const override;

  void FillSolidRect(const Rect& rect, ColorRef color) override;
  void DrawPolyline(const Point* points, int count, const Pen& pen) override;

  void DrawImage(const Rect& dest, const PixelImage& image, const Rect& source, RasterOp op) override;
  PixelImage ReadPixels(const Rect& area) const override;
  void WritePixels(int x, int y, const PixelImage& image) override;

  void SetClipRect(const std::optional<Rect>& clip) override;
  Rect GetClipBox() const override;

 private:
  HDC dc_;
  UINT previousAlign_;
  framework::UniqueRegion callerClip_;                   // the caller's clip region, or null when it had none
  framework::UniqueFont font_;                           // the font selected last
  std::optional<framework::SelectGuard> fontSelection_;  // holds the caller's font; destroyed before font_
};

}  // namespace tessel
