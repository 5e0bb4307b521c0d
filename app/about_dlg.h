// CAboutDlg: the About box (template 100) over its background picture, with
// the product title and version, the maker's notice and the contact lines,
// which name the help's support page and open it when clicked.
#pragma once

#include <functional>

#include "win32_base/gdi_handles.h"
#include "framework/picture_dialog.h"
#include "widgets/transparent_static.h"

class CAboutDlg : public CPictureDialog {
 public:
  // `openSupportPage` is what a click on the contact lines does.
  explicit CAboutDlg(std::function<void()> openSupportPage, CWnd* parent = nullptr);
  const char* GetRuntimeClassName() const override { return "CAboutDlg"; }

  CTransparentStatic m_lblTitle;
  CTransparentStatic m_lblNotice;
  CTransparentStatic m_lblContact;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  framework::UniqueCursor m_hLinkCursor;
  std::function<void()> m_openSupportPage;
};
