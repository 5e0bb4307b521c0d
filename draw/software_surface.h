#pragma once
// A drawing surface over a PixelImage in memory, for native tests and tools.
//
// Its one font has fixed, simple metrics so that layouts can be checked exactly.
// With h = |FontSpec::height| (16 when 0), for every face, weight and slant:
//   height h, descent h / 4, ascent h - h / 4, x-height h / 2,
//   every cell (space included) advances by w = max(1, h / 2); a text of n
//   cells measures n * w by h, plus the justification pixels of its spaces.
// Text is UTF-8 and measured as GDI measures it, by UTF-16 code units: each
// character is one cell, a character above U+FFFF two (the halves of its
// surrogate pair), and bytes that form no character one cell per U+FFFD that
// the conversion to UTF-16 makes of them (draw/utf8_character.h).
// Glyphs are solid boxes in the text colour: a character above U+0020 fills
// columns x + 1 to x + w - 2 of each of its cells (the whole cell when w < 3),
// rows top + ascent - x-height to top + ascent - 1 for 'a' to 'z' and rows
// top + 1 to top + ascent - 1 for every other character; a space and control
// characters draw nothing.
// Underline fills row top + ascent, strike-out row top + ascent - (x-height + 1) / 2,
// across the whole run. Justification: with (extra, breaks) set, each space
// gets extra / breaks more pixels, and the first extra % breaks spaces of a run
// one more.
//
// Lines: pixels of the Bresenham line from the start point up to, not
// including, the end point; a pen of width w > 1 stamps a w x w square with its
// top-left at (px - w / 2, py - w / 2) on each pixel. Dash patterns in pixels
// (on, off, ...) run on along a polyline: dash 18,6; dot 3,3; dash-dot
// 9,6,3,6; dash-dot-dot 9,3,3,3,3,3.
//
// Pixels written by fills, lines and text have alpha 0, as GDI leaves them.

#include <optional>

#include "draw/surface.h"

namespace tessel {

class SoftwareSurface final : public Surface {
 public:
  static constexpr int kDefaultPixelsPerInch = 96;

  // Draws into `target`, which must outlive the surface.
  explicit SoftwareSurface(PixelImage& target, int pixelsPerInch = kDefaultPixelsPerInch);

  int PixelsPerInchX() const override { return pixelsPerInch_; }
  int PixelsPerInchY() const override { return pixelsPerInch_; }

  void SetFont(const FontSpec& font) override;
  FontMetrics GetFontMetrics() const override;
  Size MeasureText(std::string_view text) const override;
  void DrawTextRun(int x, int y, std::string_view text) override;
  void SetTextJustification(int extraWidth, int breakCount) override;

  ColorRef SetTextColor(ColorRef color) override;
  ColorRef SetBackgroundColor(ColorRef color) override;
  BackgroundMode SetBackgroundMode(BackgroundMode mode) override;
  ColorRef GetTextColor() const override { return textColor_; }
  ColorRef GetBackgroundColor() const override { return backgroundColor_; }
  BackgroundMode GetBackgroundMode() const override { return backgroundMode_; }

  void FillSolidRect(const Rect& rect, ColorRef color) override;
  void DrawPolyline(const Point* points, int count, const Pen& pen) override;

  void DrawImage(const Rect& dest, const PixelImage& image, const Rect& source, RasterOp op) override;
  PixelImage ReadPixels(const Rect& area) const override;
  void WritePixels(int x, int y, const PixelImage& image) override;

  void SetClipRect(const std::optional<Rect>& clip) override { clip_ = clip; }
  Rect GetClipBox() const override { return DrawableArea(); }

 private:
  Rect DrawableArea() const;  // the image, cut to the clip rectangle
  int CellHeight() const;
  int Advance() const;
  int SpaceExtra(int spaceIndex) const;  // justification pixels of the n-th space of a run

  PixelImage& target_;
  int pixelsPerInch_;
  FontSpec font_;
  ColorRef textColor_ = 0x000000;
  ColorRef backgroundColor_ = 0xFFFFFF;
  BackgroundMode backgroundMode_ = BackgroundMode::kOpaque;
  int justifyExtra_ = 0;
  int justifyBreaks_ = 0;
  std::optional<Rect> clip_;
};

}  // namespace tessel
