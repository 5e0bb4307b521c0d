// Markup and a style sheet through the rich text drawer: measured and drawn on
// the software surface, then the mouse moved over it and clicked, with the
// test doubles of every port. The input is the style sheet, a NUL, the markup
// (no NUL: markup only); a first byte sets the width and the line feed rule.
#include <string>

#include "draw/software_surface.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "richtext/html_drawer.h"
#include "tests/richtext/html_test_ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t settings = input.Byte();
  const std::string_view rest = input.Rest();
  const std::size_t nul = rest.find('\0');
  const std::string sheet(nul == std::string_view::npos ? "" : rest.substr(0, nul));
  const std::string_view markup = nul == std::string_view::npos ? rest : rest.substr(nul + 1);

  TestPorts ports;
  ports.images->AddBitmap(ImageSource::From::kResource, {1, ""}, PixelImage(5, 3, 0xFF336699));
  HtmlDrawer drawer(ports.Platform());
  drawer.SetStyleSheet(sheet.c_str());
  drawer.SetMaxWidth((settings & 0x7F) * 4);
  drawer.SetLineFeedsAreMarkup((settings & 0x80) != 0);
  PixelImage target(160, 100, 0xFFFFFFFF);
  SoftwareSurface surface(target);
  const Size measured = drawer.Measure(surface, markup);
  FUZZ_CHECK(measured.cx >= 0 && measured.cy >= 0);
  drawer.Draw(surface, MakeRect(2, 2, measured.cx, measured.cy));
  for (const Point point : {Point{3, 3}, Point{40, 10}, Point{120, 60}}) {
    drawer.SetCursorForPoint(point);
    drawer.Click(point);
  }
  FUZZ_CHECK(target.GetSize() == (Size{160, 100}));
  return 0;
}
