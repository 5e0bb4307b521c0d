// CHoverButton: an owner-drawn picture button for links. It shows one picture
// at its natural size, the link cursor while the pointer is over it and a tool
// tip, and tracks the pointer with mouse capture and a 100 ms timer. It does
// not launch anything: its owner handles the click.
#pragma once

#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "win32_base/gdi_handles.h"
#include "framework/tool_tip.h"

class CHoverButton : public CBitmapButton {
 public:
  CHoverButton() = default;
  ~CHoverButton() override;

  // Loads the face picture and sizes the button to it; the position and the
  // stacking order stay.
  bool LoadFaceBitmap(UINT id);
  // The same for a picture made by the caller (scaled for the DPI); the button
  // owns it from here.
  void SetFaceBitmap(HBITMAP face);
  // Takes the link cursor from the system's help viewer; null text does nothing.
  void EnableLinkCursor(const char* text);
  void SetTipText(const char* text, bool activate);

  BOOL PreTranslateMessage(MSG* msg) override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  const char* GetRuntimeClassName() const override { return "CHoverButton"; }

  bool IsHovering() const { return m_bHover != 0; }
  SIZE GetFaceSize() const { return {m_nFaceWidth, m_nFaceHeight}; }
  bool HasLinkCursor() const { return static_cast<bool>(m_hLinkCursor); }
  const CToolTipCtrl& GetToolTip() const { return m_ToolTip; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The timer that notices the pointer has left without a movement message.
  static constexpr UINT_PTR kHoverTimer = 1;
  static constexpr UINT kHoverTimerMs = 100;  // how often it looks
  // The tool id under which the button registers itself with its tool tip.
  static constexpr UINT_PTR kToolId = 1;

  void OnMouseMove(UINT flags, POINT point);
  void OnTimer(UINT_PTR id);
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  void EnsureToolTip();

  framework::UniqueBitmap m_FaceBitmap;
  int m_nFaceWidth = 0;
  int m_nFaceHeight = 0;
  int m_bHover = 0;
  framework::UniqueCursor m_hLinkCursor;
  CToolTipCtrl m_ToolTip;
};
