#include "framework/picture_dialog.h"

#include "framework/background.h"
#include "win32_base/dpi.h"

namespace {

// The picture's dialog units at 100%: a base unit of 6 x 13 pixels, of which
// a dialog unit is a quarter across and an eighth down.
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;
// The system's dialog face: Tahoma, an outline font, on Windows and in Wine.
constexpr char kScaledFace[] = "MS Shell Dlg 2";

// The dialog units that the dialog manager turned into `pixels` at base unit
// `base` (`per` units a base unit). Exact: a unit is more than a pixel, so no
// two units round to the same pixel.
LONG UnitOf(LONG pixels, int base, int per) {
  if (base <= 0) return pixels;
  LONG units = ::MulDiv(pixels, per, base);
  for (LONG candidate : {units, units - 1, units + 1})
    if (::MulDiv(candidate, base, per) == pixels) return candidate;
  return units;
}

}  // namespace

CPictureDialog::CPictureDialog(UINT templateId, UINT picture, CWnd* parent)
    : CDialog(templateId, parent), m_nPicture(picture) {}

int CPictureDialog::Scale(int value) const { return framework::ScaleToDpi(value, m_nDpi); }

RECT CPictureDialog::MapPictureUnits(const RECT& units) const {
  auto across = [this](LONG unit) { return ::MulDiv(unit, kBaseX * m_nDpi, 4 * framework::kDefaultDpi); };
  auto down = [this](LONG unit) { return ::MulDiv(unit, kBaseY * m_nDpi, 8 * framework::kDefaultDpi); };
  return {across(units.left), down(units.top), across(units.right), down(units.bottom)};
}

void CPictureDialog::SetPicture(UINT id) {
  m_nPicture = id;
  m_hPicture.reset(framework::LoadPictureForDpi(id, m_nDpi));
  // High contrast: plain system colours behind, the picture's texts in the system's text colour.
  if (m_hPicture && framework::HighContrastOn())
    if (HBITMAP plain = framework::InSystemColours(m_hPicture.get())) m_hPicture.reset(plain);
  // Painted at the message loop's next turn, not while the caller changes things.
  if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CPictureDialog::PlaceControl(HWND control, const RECT& units) {
  bool known = false;
  for (Place& place : m_places)
    if (place.control == control) {
      place.units = units;
      known = true;
    }
  if (!known) m_places.push_back({control, units});
  const RECT pixels = MapPictureUnits(units);
  ::SetWindowPos(control, nullptr, pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPictureDialog::OnEraseBkgnd(HDC dc) { return framework::PaintBackground(dc, m_hPicture.get(), GetClientRect()); }

RECT CPictureDialog::UnitsOf(const RECT& pixels, int baseX, int baseY) const {
  // The dialog manager maps a control's position and its size each on its own.
  const LONG left = UnitOf(pixels.left, baseX, 4), top = UnitOf(pixels.top, baseY, 8);
  return {left, top, left + UnitOf(pixels.right - pixels.left, baseX, 4),
          top + UnitOf(pixels.bottom - pixels.top, baseY, 8)};
}

void CPictureDialog::RecordLayout() {
  // MapDialogRect of one base unit gives the base unit the template was laid out with.
  RECT base{0, 0, 4, 8};
  ::MapDialogRect(m_hWnd, &base);
  m_places.clear();
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT pixels{};
    ::GetWindowRect(child, &pixels);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&pixels), 2);
    m_places.push_back({child, UnitsOf(pixels, base.right, base.bottom)});
  }
  const RECT client = UnitsOf(GetClientRect(), base.right, base.bottom);
  m_clientUnits = {client.right, client.bottom};
  if (auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
      font && ::GetObjectA(font, sizeof m_templateFont, &m_templateFont)) {
    // The dialog manager made it for the system's DPI.
    m_nTemplateFontDpi = framework::SystemDpi();
  }
}

void CPictureDialog::ApplyLayout(const POINT* topLeft) {
  if (m_nTemplateFontDpi > 0) {
    LOGFONTA font = m_templateFont;
    font.lfHeight = ::MulDiv(font.lfHeight, m_nDpi, m_nTemplateFontDpi);
    // The template's face ("MS Sans Serif") is a bitmap font of a few sizes,
    // which at a larger scale stays too small: the system's outline dialog
    // face instead, of the same height.
    if (m_nDpi != framework::kDefaultDpi) ::lstrcpynA(font.lfFaceName, kScaledFace, LF_FACESIZE);
    m_hFont.reset(::CreateFontIndirectA(&font));
  }
  for (const Place& place : m_places) {
    const RECT pixels = MapPictureUnits(place.units);
    ::SetWindowPos(place.control, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                   pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_hFont) ::SendMessageA(place.control, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont.get()), FALSE);
  }

  // The frame and caption as they are now: by WM_DPICHANGED the system has
  // drawn them for the new DPI already.
  const RECT client = MapPictureUnits({0, 0, m_clientUnits.cx, m_clientUnits.cy});
  const RECT now = GetWindowRect(), nowClient = GetClientRect();
  const int width = client.right + (now.right - now.left) - nowClient.right;
  const int height = client.bottom + (now.bottom - now.top) - nowClient.bottom;
  POINT at = topLeft ? *topLeft : POINT{(now.left + now.right - width) / 2, (now.top + now.bottom - height) / 2};
  ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPictureDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_INITDIALOG) {
    m_nDpi = framework::WindowDpi(m_hWnd);
    RecordLayout();
    ApplyLayout(nullptr);
    SetPicture(m_nPicture);
    // The controls are bound and the derived dialog set up after the layout,
    // so pictures it sizes its controls to are for the window's DPI.
    return CDialog::HandleMessage(message, wParam, lParam, result);
  }
  if (message == WM_DPICHANGED) {
    m_nDpi = HIWORD(wParam);
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    const POINT topLeft{suggested->left, suggested->top};
    ApplyLayout(&topLeft);
    SetPicture(m_nPicture);
    OnDpiChanged();
    *result = 0;
    return true;
  }
  if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
    // High contrast turned on or off, or its colours changed: the picture follows,
    // and the common controls, which keep the colours they were made with.
    SetPicture(m_nPicture);
    if (message == WM_SYSCOLORCHANGE)
      for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return CDialog::HandleMessage(message, wParam, lParam, result);
  }
  return CDialog::HandleMessage(message, wParam, lParam, result);
}
