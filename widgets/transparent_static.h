// CTransparentStatic: a label that lets the dialog's background picture show
// through behind its text. It never paints its own background, and a change of
// its text repaints the parent under it first, so no trace of the old text
// stays.
#pragma once

#include <windows.h>

#include "framework/controls.h"

class CTransparentStatic : public CStatic {
 public:
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  const char* GetRuntimeClassName() const override { return "CTransparentStatic"; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
