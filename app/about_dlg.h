// CAboutDlg: the About box (template 100) over its background picture, with
// the product title and version, the maker's notice and contact lines.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi_handles.h"
#include "widgets/transparent_static.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
  const char* GetRuntimeClassName() const override { return "CAboutDlg"; }

  CTransparentStatic m_lblTitle;
  CTransparentStatic m_lblNotice;
  CTransparentStatic m_lblContact;

 protected:
  void BindControls() override;
  bool OnEraseBkgnd(HDC dc) override;

 private:
  framework::UniqueBitmap m_hBackground;
};
