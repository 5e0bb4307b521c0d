#include "msgbox_win32/message_box_look.h"

#include <string>

#include "win32_base/wide_path.h"

namespace tessel {

namespace {

HDC DcOf(Surface& surface) {
  auto* gdi = dynamic_cast<GdiSurface*>(&surface);
  return gdi ? gdi->dc() : nullptr;
}

int Length(std::wstring_view text) { return static_cast<int>(text.size()); }

}  // namespace

Size Win32DialogLook::MeasureText(std::string_view text) {
  framework::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  framework::SelectGuard font(dc.get(), font_);
  // UTF-8, as the surface's text.
  const std::wstring wide = WidePath(text);
  SIZE size{};
  if (!::GetTextExtentPoint32W(dc.get(), wide.data(), Length(wide), &size)) return {};
  return {size.cx, size.cy};
}

void Win32DialogLook::DrawEtchedLine(Surface& surface, int left, int right, int y) {
  HDC dc = DcOf(surface);
  if (!dc) return;
  RECT line{left, y, right, y + 2};  // an etched edge is two pixels deep
  ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void Win32DialogLook::DrawEmbossedText(Surface& surface, int x, int y, std::string_view text) {
  HDC dc = DcOf(surface);
  if (!dc) return;
  const std::wstring wide = WidePath(text);  // DrawState reads the text through an LPARAM
  framework::SelectGuard font(dc, font_);
  ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(wide.c_str()), static_cast<WPARAM>(wide.size()), x, y, 0,
               0, DST_TEXT | DSS_DISABLED);
}

framework::UniqueFont CreateMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return framework::UniqueFont(::CreateFontIndirectA(&metrics.lfMessageFont));
}

}  // namespace tessel
