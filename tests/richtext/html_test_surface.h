#pragma once
// Surfaces that also record the text runs drawn, with the fonts, sizes and
// justification they were drawn with, for the rich text drawer's tests:
// RunRecorder over any surface (the GDI one under Wine), RecordingSurface over
// a software surface of its own.
#include <string>
#include <utility>
#include <vector>

#include "draw/software_surface.h"

namespace tessel {

class RunRecorder : public Surface {
 public:
  struct Run {
    int x, y;
    std::string text;
    FontSpec font;
    ColorRef color;
    Size size;            // as the surface measured the run when it was drawn
    FontMetrics metrics;  // of the font it was drawn in
  };

  explicit RunRecorder(Surface& inner) : inner_(inner) {}

  int PixelsPerInchX() const override { return inner_.PixelsPerInchX(); }
  int PixelsPerInchY() const override { return inner_.PixelsPerInchY(); }
  void SetFont(const FontSpec& f) override {
    font = f;
    inner_.SetFont(f);
  }
  FontMetrics GetFontMetrics() const override { return inner_.GetFontMetrics(); }
  Size MeasureText(std::string_view text) const override { return inner_.MeasureText(text); }
  void DrawTextRun(int x, int y, std::string_view text) override {
    runs.push_back(
        {x, y, std::string(text), font, inner_.GetTextColor(), inner_.MeasureText(text), inner_.GetFontMetrics()});
    inner_.DrawTextRun(x, y, text);
  }
  void SetTextJustification(int extra, int breaks) override {
    if (extra != 0 || breaks != 0) justifications.push_back({extra, breaks});
    inner_.SetTextJustification(extra, breaks);
  }
  ColorRef SetTextColor(ColorRef c) override { return inner_.SetTextColor(c); }
  ColorRef SetBackgroundColor(ColorRef c) override { return inner_.SetBackgroundColor(c); }
  BackgroundMode SetBackgroundMode(BackgroundMode m) override { return inner_.SetBackgroundMode(m); }
  ColorRef GetTextColor() const override { return inner_.GetTextColor(); }
  ColorRef GetBackgroundColor() const override { return inner_.GetBackgroundColor(); }
  BackgroundMode GetBackgroundMode() const override { return inner_.GetBackgroundMode(); }
  void FillSolidRect(const Rect& r, ColorRef c) override { inner_.FillSolidRect(r, c); }
  void DrawPolyline(const Point* p, int n, const Pen& pen) override { inner_.DrawPolyline(p, n, pen); }
  void DrawImage(const Rect& d, const PixelImage& i, const Rect& s, RasterOp op) override {
    inner_.DrawImage(d, i, s, op);
  }
  PixelImage ReadPixels(const Rect& area) const override { return inner_.ReadPixels(area); }
  void WritePixels(int x, int y, const PixelImage& i) override { inner_.WritePixels(x, y, i); }
  void SetClipRect(const std::optional<Rect>& clip) override { inner_.SetClipRect(clip); }
  Rect GetClipBox() const override { return inner_.GetClipBox(); }

  const Run* Find(std::string_view text) const {
    for (const Run& run : runs)
      if (run.text == text) return &run;
    return nullptr;
  }

  FontSpec font;
  std::vector<Run> runs;
  std::vector<std::pair<int, int>> justifications;

 private:
  Surface& inner_;
};

// A white picture and the software surface over it; a base of RecordingSurface
// so that both exist before the recorder is pointed at the surface.
struct SoftwareCanvas {
  SoftwareCanvas(int width, int height) : image(width, height, 0x00FFFFFF), soft(image) {}
  PixelImage image;
  SoftwareSurface soft;
};

class RecordingSurface : public SoftwareCanvas, public RunRecorder {
 public:
  explicit RecordingSurface(int width = 200, int height = 120) : SoftwareCanvas(width, height), RunRecorder(soft) {}

  bool Untouched() const { return image == PixelImage(image.Width(), image.Height(), 0x00FFFFFF); }
};

}  // namespace tessel
