// CToolTipCtrl: a tool tip control owned by another window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/wnd.h"

class CToolTipCtrl : public CWnd {
 public:
  ~CToolTipCtrl() override { DestroyWindow(); }
  bool Create(HWND owner, DWORD style);
  // Registers tool `id` of `window` covering `rect` with `text`.
  bool AddTool(HWND window, UINT_PTR id, const RECT& rect, const std::string& text) const;
  void UpdateTipText(HWND window, UINT_PTR id, const std::string& text) const;
  // The text of tool `id` of `window`, empty when there is no such tool.
  std::string GetToolText(HWND window, UINT_PTR id) const;
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
  void Activate(bool active) const { SendMessage(TTM_ACTIVATE, active); }
  void RelayEvent(MSG* msg) const { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
  const char* GetRuntimeClassName() const override { return "CToolTipCtrl"; }
};
