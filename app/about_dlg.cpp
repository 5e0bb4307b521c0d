#include "app/about_dlg.h"

#include <string>
#include <utility>

#include "app/product.h"
#include "win32_base/link_cursor.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(std::function<void()> openSupportPage, CWnd* parent)
    : CPictureDialog(IDD_ABOUTBOX, IDB_ABOUT_BACKGROUND, parent), m_openSupportPage(std::move(openSupportPage)) {
  m_hLinkCursor = framework::LoadLinkCursor();
}

void CAboutDlg::BindControls() {
  m_lblTitle.SubclassDlgItem(IDC_ABOUT_TITLE, *this);
  m_lblNotice.SubclassDlgItem(IDC_ABOUT_NOTICE, *this);
  m_lblContact.SubclassDlgItem(IDC_ABOUT_CONTACT, *this);
}

BOOL CAboutDlg::OnInitDialog() {
  // The version is the project's (CMake), so the template carries only the title.
  m_lblTitle.SetWindowText(std::string(kProductTitle) + " Version " + TESSEL_VERSION);
  return TRUE;
}

bool CAboutDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_ABOUT_CONTACT && code == STN_CLICKED) {
    if (m_openSupportPage) m_openSupportPage();
    return true;
  }
  return CPictureDialog::OnCommand(id, code, control);
}

bool CAboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // The contact lines are a link: the link row's hand over them.
  if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == m_lblContact.m_hWnd && m_hLinkCursor) {
    ::SetCursor(m_hLinkCursor.get());
    *result = TRUE;
    return true;
  }
  return CPictureDialog::HandleMessage(message, wParam, lParam, result);
}
