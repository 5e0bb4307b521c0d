#include "app/recovery_app.h"

#include "app/recovery_wizard_dlg.h"

BOOL CRecoveryApp::InitInstance() {
  Enable3dControls();
  CRecoveryWizardDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // No message loop of the application's own after the window.
  return FALSE;
}
