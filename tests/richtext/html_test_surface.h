#pragma once
// A software surface that also records the text runs drawn and the fonts and
// justification they were drawn with, for the rich text drawer's tests.
#include <string>
#include <vector>

#include "draw/software_surface.h"

namespace tessel {

class RecordingSurface : public Surface {
 public:
  struct Run {
    int x, y;
    std::string text;
    FontSpec font;
    ColorRef color;
  };

  explicit RecordingSurface(int width = 200, int height = 120) : image(width, height, 0x00FFFFFF), soft(image) {}

  int PixelsPerInchX() const override { return soft.PixelsPerInchX(); }
  int PixelsPerInchY() const override { return soft.PixelsPerInchY(); }
  void SetFont(const FontSpec& f) override {
    font = f;
    soft.SetFont(f);
  }
  FontMetrics GetFontMetrics() const override { return soft.GetFontMetrics(); }
  Size MeasureText(std::string_view text) const override { return soft.MeasureText(text); }
  void DrawTextRun(int x, int y, std::string_view text) override {
    runs.push_back({x, y, std::string(text), font, soft.GetTextColor()});
    soft.DrawTextRun(x, y, text);
  }
  void SetTextJustification(int extra, int breaks) override {
    if (extra != 0 || breaks != 0) justifications.push_back({extra, breaks});
    soft.SetTextJustification(extra, breaks);
  }
  ColorRef SetTextColor(ColorRef c) override { return soft.SetTextColor(c); }
  ColorRef SetBackgroundColor(ColorRef c) override { return soft.SetBackgroundColor(c); }
  BackgroundMode SetBackgroundMode(BackgroundMode m) override { return soft.SetBackgroundMode(m); }
  ColorRef GetTextColor() const override { return soft.GetTextColor(); }
  ColorRef GetBackgroundColor() const override { return soft.GetBackgroundColor(); }
  BackgroundMode GetBackgroundMode() const override { return soft.GetBackgroundMode(); }
  void FillSolidRect(const Rect& r, ColorRef c) override { soft.FillSolidRect(r, c); }
  void DrawPolyline(const Point* p, int n, const Pen& pen) override { soft.DrawPolyline(p, n, pen); }
  void DrawImage(const Rect& d, const PixelImage& i, const Rect& s, RasterOp op) override {
    soft.DrawImage(d, i, s, op);
  }
  PixelImage ReadPixels(const Rect& area) const override { return soft.ReadPixels(area); }
  void WritePixels(int x, int y, const PixelImage& i) override { soft.WritePixels(x, y, i); }
  void SetClipRect(const std::optional<Rect>& clip) override { soft.SetClipRect(clip); }
  Rect GetClipBox() const override { return soft.GetClipBox(); }

  const Run* Find(std::string_view text) const {
    for (const Run& run : runs)
      if (run.text == text) return &run;
    return nullptr;
  }
  bool Untouched() const { return image == PixelImage(image.Width(), image.Height(), 0x00FFFFFF); }

  PixelImage image;
  SoftwareSurface soft;
  FontSpec font;
  std::vector<Run> runs;
  std::vector<std::pair<int, int>> justifications;
};

}  // namespace tessel
