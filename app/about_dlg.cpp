#include "app/about_dlg.h"

#include "framework/background.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {
  m_hBackground.reset(framework::LoadDibResource(IDB_ABOUT_BACKGROUND));
}

void CAboutDlg::BindControls() {
  m_lblTitle.SubclassDlgItem(IDC_ABOUT_TITLE, *this);
  m_lblNotice.SubclassDlgItem(IDC_ABOUT_NOTICE, *this);
  m_lblContact.SubclassDlgItem(IDC_ABOUT_CONTACT, *this);
}

bool CAboutDlg::OnEraseBkgnd(HDC dc) { return framework::PaintBackground(dc, m_hBackground.get(), GetClientRect()); }
