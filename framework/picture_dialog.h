// CPictureDialog: a dialog over a full-size background picture, scaled as a
// whole for its window's DPI. Every control keeps its place on the picture:
// it is put at its template rectangle in the picture's own dialog units (1.5
// pixels across and 1.625 down at 100%, what MS Sans Serif 8 pt gives), times
// DPI / 96, when the dialog opens and whenever its DPI changes. Laying out
// from the dialog font instead would follow the font, which grows unevenly
// with the DPI and which Wine replaces by a wider one.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/dialog.h"
#include "win32_base/gdi_handles.h"

class CPictureDialog : public CDialog {
 public:
  // `picture`: a large picture (drawn for 192 DPI, framework/background.h).
  CPictureDialog(UINT templateId, UINT picture, CWnd* parent = nullptr);

  int Dpi() const { return m_nDpi; }
  // A length at 100% at the window's DPI.
  int Scale(int value) const;
  // A rectangle in the picture's dialog units, in pixels at the window's DPI.
  RECT MapPictureUnits(const RECT& units) const;
  HBITMAP Picture() const { return m_hPicture.get(); }
  UINT PictureId() const { return m_nPicture; }

 protected:
  // Shows picture `id` instead, and repaints the whole window.
  void SetPicture(UINT id);
  // Moves `control` to `units` (picture dialog units) for good: a later change
  // of DPI keeps it there.
  void PlaceControl(HWND control, const RECT& units);
  // After the controls and the font are laid out for a new DPI: controls that
  // size themselves (to a picture, a font) do it again here.
  virtual void OnDpiChanged() {}

  bool OnEraseBkgnd(HDC dc) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  struct Place {
    HWND control;
    RECT units;  // picture dialog units
  };

  // The template's rectangles, read back through the dialog's own base units.
  void RecordLayout();
  // Controls, font and window size for m_nDpi; the window's top-left at
  // `topLeft`, or keeping its centre when null.
  void ApplyLayout(const POINT* topLeft);
  RECT UnitsOf(const RECT& pixels, int baseX, int baseY) const;

  UINT m_nPicture;
  framework::UniqueBitmap m_hPicture;
  int m_nDpi = 96;
  std::vector<Place> m_places;
  SIZE m_clientUnits{};
  LOGFONTA m_templateFont{};
  int m_nTemplateFontDpi = 0;  // 0: the template's font was not read
  framework::UniqueFont m_hFont;
};
