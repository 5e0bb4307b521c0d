#include "draw_win32/gdi_surface.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "draw_win32/gdi_dib.h"
#include "win32_base/wide_path.h"

namespace tessel {

namespace {

// GDI takes counts as int; longer texts are cut (no line is that long).
int TextLength(std::wstring_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)); }

int PenStyleFor(PenStyle style) {
  switch (style) {
    case PenStyle::kDash:
      return PS_DASH;
    case PenStyle::kDot:
      return PS_DOT;
    case PenStyle::kDashDot:
      return PS_DASHDOT;
    case PenStyle::kDashDotDot:
      return PS_DASHDOTDOT;
    case PenStyle::kSolid:
      break;
  }
  return PS_SOLID;
}

DWORD RopFor(RasterOp op) {
  switch (op) {
    case RasterOp::kAnd:
      return SRCAND;
    case RasterOp::kOr:
      return SRCPAINT;
    case RasterOp::kCopy:
      break;
  }
  return SRCCOPY;
}

bool IsWhole(const Rect& part, const PixelImage& image) {
  return part == MakeRect(0, 0, image.Width(), image.Height());
}

}  // namespace

GdiSurface::GdiSurface(HDC dc) : dc_(dc), previousAlign_(::SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP)) {
  callerClip_.reset(::CreateRectRgn(0, 0, 0, 0));
  if (callerClip_ && ::GetClipRgn(dc_, callerClip_.get()) != 1) callerClip_.reset();
}

GdiSurface::~GdiSurface() {
  ::SelectClipRgn(dc_, callerClip_.get());
  ::SetTextJustification(dc_, 0, 0);
  if (previousAlign_ != GDI_ERROR) ::SetTextAlign(dc_, previousAlign_);
  fontSelection_.reset();  // the caller's font goes back before ours is deleted
}

int GdiSurface::PixelsPerInchX() const { return ::GetDeviceCaps(dc_, LOGPIXELSX); }
int GdiSurface::PixelsPerInchY() const { return ::GetDeviceCaps(dc_, LOGPIXELSY); }

void GdiSurface::SetFont(const FontSpec& font) {
  const std::wstring face = WidePath(font.face).substr(0, LF_FACESIZE - 1);  // UTF-8, like every text of ours
  framework::UniqueFont created(::CreateFontW(font.height, 0, 0, 0, font.weight, font.italic, font.underline,
                                              font.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  if (!created) return;  // keep the current font
  if (!fontSelection_)
    fontSelection_.emplace(dc_, created.get());
  else
    ::SelectObject(dc_, created.get());
  font_ = std::move(created);  // the previous font of ours is no longer selected: delete it
}

FontMetrics GdiSurface::GetFontMetrics() const {
  TEXTMETRICA tm{};
  if (!::GetTextMetricsA(dc_, &tm)) return {};
  FontMetrics metrics{static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAscent), static_cast<int>(tm.tmDescent), 0,
                      static_cast<int>(tm.tmAveCharWidth)};
  GLYPHMETRICS glyph{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  if (::GetGlyphOutlineA(dc_, 'x', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR)
    metrics.xHeight = static_cast<int>(glyph.gmBlackBoxY);
  else
    metrics.xHeight = metrics.ascent / 2;  // raster fonts have no outlines
  return metrics;
}

Size GdiSurface::MeasureText(std::string_view text) const {
  const std::wstring wide = WidePath(text);
  SIZE size{};
  if (!::GetTextExtentPoint32W(dc_, wide.data(), TextLength(wide), &size)) return {};
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void GdiSurface::DrawTextRun(int x, int y, std::string_view text) {
  const std::wstring wide = WidePath(text);
  ::TextOutW(dc_, x, y, wide.data(), TextLength(wide));
}

void GdiSurface::SetTextJustification(int extraWidth, int breakCount) {
  ::SetTextJustification(dc_, extraWidth, breakCount);
}

ColorRef GdiSurface::SetTextColor(ColorRef color) { return ::SetTextColor(dc_, color); }
ColorRef GdiSurface::SetBackgroundColor(ColorRef color) { return ::SetBkColor(dc_, color); }

BackgroundMode GdiSurface::SetBackgroundMode(BackgroundMode mode) {
  const int previous = ::SetBkMode(dc_, mode == BackgroundMode::kOpaque ? OPAQUE : TRANSPARENT);
  return previous == TRANSPARENT ? BackgroundMode::kTransparent : BackgroundMode::kOpaque;
}

ColorRef GdiSurface::GetTextColor() const { return ::GetTextColor(dc_); }
ColorRef GdiSurface::GetBackgroundColor() const { return ::GetBkColor(dc_); }

BackgroundMode GdiSurface::GetBackgroundMode() const {
  return ::GetBkMode(dc_) == TRANSPARENT ? BackgroundMode::kTransparent : BackgroundMode::kOpaque;
}

void GdiSurface::FillSolidRect(const Rect& rect, ColorRef color) {
  if (rect.IsEmpty()) return;
  framework::UniqueBrush brush(::CreateSolidBrush(color));
  if (!brush) return;
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  ::FillRect(dc_, &r, brush.get());
}

void GdiSurface::DrawPolyline(const Point* points, int count, const Pen& pen) {
  if (points == nullptr || count < 2 || pen.width <= 0) return;
  framework::UniquePen created(::CreatePen(PenStyleFor(pen.style), pen.width, pen.color));
  if (!created) return;
  std::vector<POINT> path(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) path[static_cast<std::size_t>(i)] = {points[i].x, points[i].y};
  framework::SelectGuard selection(dc_, created.get());
  ::Polyline(dc_, path.data(), count);
}

void GdiSurface::DrawImage(const Rect& dest, const PixelImage& image, const Rect& source, RasterOp op) {
  if (dest.IsEmpty() || source.IsEmpty() || image.IsEmpty()) return;
  // The source part goes into a section of its own, so that the blit starts at 0, 0.
  const PixelImage part = IsWhole(source, image) ? PixelImage() : image.Crop(source);
  const PixelImage& pixels = IsWhole(source, image) ? image : part;
  GdiDib dib(dc_, pixels.Width(), pixels.Height());
  if (!dib.ok()) return;
  dib.Store(pixels);
  if (dest.Width() == pixels.Width() && dest.Height() == pixels.Height()) {
    ::BitBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), dib.dc(), 0, 0, RopFor(op));
    return;
  }
  const int previousMode = ::SetStretchBltMode(dc_, COLORONCOLOR);  // nearest neighbour
  ::StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), dib.dc(), 0, 0, pixels.Width(), pixels.Height(),
               RopFor(op));
  if (previousMode) ::SetStretchBltMode(dc_, previousMode);
}

PixelImage GdiSurface::ReadPixels(const Rect& area) const {
  GdiDib dib(dc_, area.Width(), area.Height());
  if (!dib.ok()) return PixelImage(area.Width(), area.Height());
  ::BitBlt(dib.dc(), 0, 0, area.Width(), area.Height(), dc_, area.left, area.top, SRCCOPY);
  return dib.Load();
}

void GdiSurface::WritePixels(int x, int y, const PixelImage& image) {
  DrawImage(MakeRect(x, y, image.Width(), image.Height()), image, MakeRect(0, 0, image.Width(), image.Height()),
            RasterOp::kCopy);
}

void GdiSurface::SetClipRect(const std::optional<Rect>& clip) {
  if (!clip) {
    ::SelectClipRgn(dc_, callerClip_.get());
    return;
  }
  // Regions are in device units; the caller's clip region still applies.
  POINT corners[2] = {{clip->left, clip->top}, {clip->right, clip->bottom}};
  ::LPtoDP(dc_, corners, 2);
  framework::UniqueRegion region(::CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y));
  if (!region) return;
  if (callerClip_) ::CombineRgn(region.get(), region.get(), callerClip_.get(), RGN_AND);
  ::SelectClipRgn(dc_, region.get());  // the context keeps a copy
}

Rect GdiSurface::GetClipBox() const {
  RECT box{};
  const int kind = ::GetClipBox(dc_, &box);
  if (kind == ERROR || kind == NULLREGION) return {};
  return {box.left, box.top, box.right, box.bottom};
}

}  // namespace tessel
