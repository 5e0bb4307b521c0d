#pragma once
// The drawing surface: what the rich text engine and the draw manager need of a
// device, so that neither names an OS imaging API. GdiSurface (draw_win32/)
// draws on a Windows device context; SoftwareSurface draws into a PixelImage in
// memory with a fixed-metrics font, so that layouts and pixels can be checked
// exactly in native tests.
//
// Coordinates are device pixels. Rectangles exclude their right and bottom edge.
// Colours are ColorRef (0x00BBGGRR); pixel images are 0xAARRGGBB (pixel_image.h).
// Everything drawn is clipped to the surface and to the clip rectangle, if set.

#include <optional>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "draw/pixel_image.h"

namespace tessel {

// A font request, as the style record describes it.
struct FontSpec {
  int height = 16;   // cell height in pixels (a negative value asks for the character height)
  int weight = 400;  // 100 to 900; 700 is bold
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::string face = "Verdana";
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Metrics of the selected font, in pixels (height = ascent + descent).
struct FontMetrics {
  int height = 0;            // cell height (tmHeight)
  int ascent = 0;            // from the cell top to the base line
  int descent = 0;           // from the base line to the cell bottom
  int xHeight = 0;           // height of the letter x (the "ex" unit)
  int averageCharWidth = 0;  // tmAveCharWidth
  friend bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

enum class BackgroundMode { kTransparent, kOpaque };

// Line styles of a pen, as the Windows pen styles name them.
enum class PenStyle { kSolid, kDash, kDot, kDashDot, kDashDotDot };

struct Pen {
  ColorRef color = 0;
  PenStyle style = PenStyle::kSolid;
  int width = 1;  // pixels; 0 or less draws nothing
};

// How an image's pixels combine with the surface's pixels.
enum class RasterOp {
  kCopy,  // source
  kAnd,   // source & destination (a mask: black keeps nothing, white keeps all)
  kOr,    // source | destination (an image drawn over a masked hole)
};

class Surface {
 public:
  virtual ~Surface() = default;

  // Device.
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;

  // Text. A run is drawn with its cell's top-left corner at (x, y), in the
  // selected font and text colour; with an opaque background mode the cell is
  // first filled with the background colour. Underline and strike-out come with
  // the font. Texts are UTF-8; a run is measured and drawn as its UTF-16 form.
  virtual void SetFont(const FontSpec& font) = 0;
  virtual FontMetrics GetFontMetrics() const = 0;
  virtual Size MeasureText(std::string_view text) const = 0;  // includes justification
  virtual void DrawTextRun(int x, int y, std::string_view text) = 0;
  // Spreads `extraWidth` pixels over the next `breakCount` spaces of every
  // following measure and draw, until called with (0, 0).
  virtual void SetTextJustification(int extraWidth, int breakCount) = 0;

  // Text colours and background mode; each setter returns the previous value.
  virtual ColorRef SetTextColor(ColorRef color) = 0;
  virtual ColorRef SetBackgroundColor(ColorRef color) = 0;
  virtual BackgroundMode SetBackgroundMode(BackgroundMode mode) = 0;
  virtual ColorRef GetTextColor() const = 0;
  virtual ColorRef GetBackgroundColor() const = 0;
  virtual BackgroundMode GetBackgroundMode() const = 0;

  // Fills and lines. A line covers its start point and stops short of its end
  // point; a polyline joins consecutive points with one pen (dashes run on).
  virtual void FillSolidRect(const Rect& rect, ColorRef color) = 0;
  virtual void DrawPolyline(const Point* points, int count, const Pen& pen) = 0;
  void DrawLine(Point from, Point to, const Pen& pen) {
    const Point points[] = {from, to};
    DrawPolyline(points, 2, pen);
  }

  // Images. Draws the `source` part of `image` into `dest`, stretched
  // (nearest neighbour) when the sizes differ, combined by `op`.
  virtual void DrawImage(const Rect& dest, const PixelImage& image, const Rect& source, RasterOp op) = 0;
  // Reads the pixels of `area` as a 32-bit image (pixels outside the surface
  // read as 0) and writes an image back with its top-left corner at (x, y).
  virtual PixelImage ReadPixels(const Rect& area) const = 0;
  virtual void WritePixels(int x, int y, const PixelImage& image) = 0;

  // Clipping: drawing is limited to `clip` until cleared with std::nullopt.
  virtual void SetClipRect(const std::optional<Rect>& clip) = 0;
  // The part of the device where drawing can show (the device cut to the clip
  // rectangle), so that callers can skip work that cannot show.
  virtual Rect GetClipBox() const = 0;

  // Transparent drawing with a mask, through DrawImage: white mask pixels keep
  // the surface, black ones take the image (whose pixels must be black where
  // the mask is white).
  void DrawMasked(const Rect& dest, const PixelImage& image, const PixelImage& mask) {
    DrawImage(dest, mask, MakeRect(0, 0, mask.Width(), mask.Height()), RasterOp::kAnd);
    DrawImage(dest, image, MakeRect(0, 0, image.Width(), image.Height()), RasterOp::kOr);
  }
};

}  // namespace tessel
