// Thin wrappers for the simple controls: each member call is the one control
// message it stands for.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "win32_base/gdi_handles.h"
#include "framework/wnd.h"

class CButton : public CWnd {
 public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
  const char* GetRuntimeClassName() const override { return "CButton"; }
};

// An owner-drawn button with pictures for its states; the pictures are owned
// by the button.
class CBitmapButton : public CButton {
 public:
  const char* GetRuntimeClassName() const override { return "CBitmapButton"; }

 protected:
  framework::UniqueBitmap m_bitmap;
  framework::UniqueBitmap m_bitmapSel;
  framework::UniqueBitmap m_bitmapFocus;
  framework::UniqueBitmap m_bitmapDisabled;
};

class CStatic : public CWnd {
 public:
  const char* GetRuntimeClassName() const override { return "CStatic"; }
};

class CProgressCtrl : public CWnd {
 public:
  void SetRange32(int lower, int upper) const { SendMessage(PBM_SETRANGE32, lower, upper); }
  int SetPos(int position) const { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
  const char* GetRuntimeClassName() const override { return "CProgressCtrl"; }
};
