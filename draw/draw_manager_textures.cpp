// The palette textures (fill effects 7 to 15): an 8-bit index per pixel
// computed from the position and a noise term, drawn through a palette that
// runs from the end colour (index 0) over the middle colour (128) to the begin
// colour (255). Rows are walked as stored, bottom row first, so y counts up
// from the bottom.
//
// Each row is made as base + shape[x] + noise term[x] (8-bit wrap-around): the
// base depends on the row only, the shape on the column (and, for "softbump",
// on the row). The per-pixel loops run in blocks of a fixed length over
// restrict pointers, so that the compiler vectorises them.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "draw/draw_manager.h"

namespace tessel {

namespace {

constexpr int kRandomMax = 32767;        // values of the random source: 0 to 32767
constexpr int kMetalScratches = 200;     // scratches drawn on "metal"
constexpr int kMetalValueDivisor = 819;  // a random value over this is a scratch's grey, 0 to 40
constexpr int kMaxHardBumpBand = 16;     // widest edge band of "hardbump", in pixels (a sixth of narrower areas)
constexpr int kBlock = 16;               // pixels per vectorised step

// S(t): the cube of t divided by 16384, in two truncating steps.
int Cube(int t) { return static_cast<int>(((static_cast<long long>(t) * t * t) / 128) / 128); }

inline std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }  // 8-bit wrap

// Calls pixel(x) for x from 0 to count - 1: in blocks of kBlock, a loop of
// fixed length the compiler turns into vector code, then the rest one by one.
template <typename PixelFunction>
inline void ForEachPixel(int count, PixelFunction pixel) {
  int x = 0;
  for (; x + kBlock <= count; x += kBlock)
    for (int k = 0; k < kBlock; ++k) pixel(x + k);
  for (; x < count; ++x) pixel(x);
}

// row[x] = base + shape[x] + terms[x], 8-bit wrap-around.
TESSEL_PIXEL_LOOP void SetRow(std::uint8_t* __restrict row, int base, const int* __restrict shape,
                              const int* __restrict terms, int count) {
  ForEachPixel(count, [&](int x) { row[x] = Byte(base + shape[x] + terms[x]); });
}

// row[x] += base + shape[x] + terms[x], 8-bit wrap-around.
TESSEL_PIXEL_LOOP void AddToRow(std::uint8_t* __restrict row, int base, const int* __restrict shape,
                                const int* __restrict terms, int count) {
  ForEachPixel(count, [&](int x) { row[x] = Byte(row[x] + base + shape[x] + terms[x]); });
}

// The "softbump" shape of one row: (r + c) (128 - G) / 128 + 128 held to G
// to 255 - G, from the row's r (128 - G) and the columns' c (128 - G).
TESSEL_PIXEL_LOOP void SoftBumpShape(int* __restrict shape, int rowPart, const int* __restrict columnParts, int g,
                                     int count) {
  ForEachPixel(count, [&](int x) {
    const int p = std::max((rowPart + columnParts[x]) / 128 + 128, g);
    shape[x] = std::min(p, 255 - g);
  });
}

// The noise term of amplitude G: random / D - G with D = 32767 / max(2G, 1),
// made a row at a time.
class NoiseSource {
 public:
  NoiseSource(int amplitude, int rowLength)
      : amplitude_(amplitude),
        divide_(kRandomMax / std::max(2 * amplitude, 1)),
        row_(static_cast<std::size_t>(rowLength)) {}
  // The next row of random / D - offset values.
  const int* Row(int offset) {
    random_.Fill(row_.data(), static_cast<int>(row_.size()), divide_, offset);
    return row_.data();
  }
  const int* RawRow() { return Row(0); }            // random / D
  const int* TermRow() { return Row(amplitude_); }  // random / D - G
  TextureRandom& Random() { return random_; }

 private:
  int amplitude_;
  RandomDivider divide_;
  TextureRandom random_;
  std::vector<int> row_;
};

void SetTexturePalette(PaletteImage& image, ColorRef begin, ColorRef middle, ColorRef end, int blend) {
  auto mix = [](int a, int aWeight, int b, int bWeight) { return (a * aWeight + b * bWeight) / 128; };
  for (int i = 0; i <= 128; ++i) {
    image.SetPaletteEntry(i, mix(ColorRed(end), 128 - i, ColorRed(middle), i),
                          mix(ColorGreen(end), 128 - i, ColorGreen(middle), i),
                          mix(ColorBlue(end), 128 - i, ColorBlue(middle), i));
  }
  for (int j = 1; j <= 128; ++j) {
    image.SetPaletteEntry(127 + j, mix(ColorRed(begin), j, ColorRed(middle), 128 - j),
                          mix(ColorGreen(begin), j, ColorGreen(middle), 128 - j),
                          mix(ColorBlue(begin), j, ColorBlue(middle), 128 - j));
  }
  image.BlendPalette(begin, blend & 0xFF);
}

std::vector<int> ColumnValues(int w, auto value) {
  std::vector<int> columns(static_cast<std::size_t>(w));
  for (int x = 0; x < w; ++x) columns[static_cast<std::size_t>(x)] = value(x);
  return columns;
}

// Index of every pixel = rowValue(y) + shape[x] + noise term.
template <typename RowValue>
void FillSeparable(PaletteImage& image, NoiseSource& noise, RowValue rowValue, const std::vector<int>& shape) {
  for (int y = 0; y < image.Height(); ++y)
    SetRow(image.StoredRow(y), rowValue(y), shape.data(), noise.TermRow(), image.Width());
}

void FillSoftBump(PaletteImage& image, NoiseSource& noise, int g) {
  const int w = image.Width(), h = image.Height();
  const std::vector<int> columnParts =
      ColumnValues(w, [&](int x) { return Cube(255 * (w - x) / w - 127) * (128 - g); });
  std::vector<int> shape(columnParts.size());
  for (int y = 0; y < h; ++y) {
    SoftBumpShape(shape.data(), Cube(255 * y / h - 127) * (128 - g), columnParts.data(), g, w);
    SetRow(image.StoredRow(y), 0, shape.data(), noise.TermRow(), w);
  }
}

void FillHardBump(PaletteImage& image, NoiseSource& noise, int g) {
  const int w = image.Width(), h = image.Height();
  const long long band = std::min(w / 6, kMaxHardBumpBand);
  const long long q = static_cast<long long>(h) * h / 4;
  const std::vector<int> flat(static_cast<std::size_t>(w), 0);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = image.StoredRow(y);
    SetRow(row, Cube(255 * y / h - 127) * (64 - g) * 2 / 128 + 128, flat.data(), noise.TermRow(), w);
    // The bevelled edges; a one-pixel-high texture (q = 0) has none. Pixels
    // with edge < x - w / 2 take the right bevel, then pixels with
    // edge + x - w / 2 < 0 the left one.
    if (band > 0 && q > 0) {
      const long long edge = (y * band - band * (h / 2)) * (y - h / 2) / q + w / 2 - band;
      const int rightStart = static_cast<int>(std::clamp<long long>(edge + w / 2 + 1, 0, w));
      const int leftEnd = static_cast<int>(std::clamp<long long>(w / 2 - edge, 0, w));
      const int bevel = static_cast<int>(band);
      for (int x = rightStart; x < w; ++x) row[x] = Byte(g + (128 * (w - x)) / bevel);
      for (int x = 0; x < leftEnd; ++x) row[x] = Byte((255 - g) - (128 * x) / bevel);
    }
    AddToRow(row, 0, flat.data(), noise.TermRow(), w);
  }
}

void FillMetal(PaletteImage& image, NoiseSource& noise, int g) {
  const int w = image.Width(), h = image.Height();  // 1 to 32767, so no divisor below is 0
  image.Fill(0);
  TextureRandom& random = noise.Random();
  const RandomDivider column(kRandomMax / w), line(kRandomMax / h), length(kRandomMax / std::min(w, h));
  // Pixel (x, y), y from the top, as the palette image's SetPixel sets it,
  // without a call per pixel.
  auto setPixel = [&](int x, int y, int value) {
    if (x >= 0 && x < w && y >= 0 && y < h) image.StoredRow(h - y - 1)[x] = Byte(value);
  };
  for (int scratch = 0; scratch < kMetalScratches; ++scratch) {
    const int l = column(random.Next());
    const int k = line(random.Next());
    const int m = length(random.Next());
    const int v = random.Next() / kMetalValueDivisor;
    for (int i = 0; i < m / 2 && l - k + (k - i) > 0 && k + i < h; ++i) setPixel(l - i, k + i, v);
    for (int i = 0; i < m / 2 && l + i < w && k - i > 0; ++i) setPixel(w - l + i, k - i, v);
  }
  const int n = (255 - 2 * g - 40) / 2;
  const std::vector<int> columnShade = ColumnValues(w, [&](int x) { return n * (w - x) / w; });
  for (int y = 0; y < h; ++y) AddToRow(image.StoredRow(y), n * y / h, columnShade.data(), noise.RawRow(), w);
}

}  // namespace

void DrawManager::FillTexture(Surface& surface, int effect, const Rect& rect, ColorRef begin, ColorRef middle,
                              ColorRef end, int noise, int blend) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  // Sides above 32767 or too many pixels: Create fails and nothing is drawn.
  if (!paletteImage_.Create(w, h, 8)) return;
  SetTexturePalette(paletteImage_, begin, middle, end, blend);

  const int g = noise & 0xFF;
  NoiseSource source(g, w);
  PaletteImage& image = paletteImage_;
  const std::vector<int> flat(static_cast<std::size_t>(w), 0);
  auto none = [](int) { return 0; };
  switch (effect) {
    case kEffectNoise:  // 128 - G + random / D = 128 + term
      FillSeparable(
          image, source, [](int) { return 128; }, flat);
      break;
    case kEffectDiagShade: {
      const int n = (255 - 2 * g) / 2;
      FillSeparable(
          image, source, [&](int y) { return n * y / h + g; }, ColumnValues(w, [&](int x) { return n * (w - x) / w; }));
      break;
    }
    case kEffectHShade:
      FillSeparable(
          image, source, [&](int y) { return (255 - 2 * g) * y / h + g; }, flat);
      break;
    case kEffectVShade:
      FillSeparable(image, source, none, ColumnValues(w, [&](int x) { return (255 - 2 * g) * (w - x) / w + g; }));
      break;
    case kEffectHBump:
      FillSeparable(
          image, source, [&](int y) { return Cube(255 * y / h - 127) * (128 - g) / 128 + 128; }, flat);
      break;
    case kEffectVBump:
      FillSeparable(image, source, none, ColumnValues(w, [&](int x) {
                      return std::min(255, Cube(255 * (w - x) / w - 127) * (128 - g) / 128 + 128);
                    }));
      break;
    case kEffectSoftBump:
      FillSoftBump(image, source, g);
      break;
    case kEffectHardBump:
      FillHardBump(image, source, g);
      break;
    case kEffectMetal:
      FillMetal(image, source, g);
      break;
    default:
      return;
  }
  image.Draw(surface, rect.left, rect.top);
}

}  // namespace tessel
