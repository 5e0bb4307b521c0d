// The wizard's flow between its steps. Leaving the program: exit asks first,
// then ends the worker and the process at once (the window's thread never
// waits for the worker).
#include <windows.h>

#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/web_pages.h"
#include "app/wizard_message.h"

bool CRecoveryWizardDlg::OnClose() {
  ShowWindow(SW_SHOWNORMAL);
  if (WizardMessageBox("Do you really want to exit ?", kQuestionStyle) != tessel::MessageBoxButton::kYes) return true;
  g_bStopRequested = 1;
  if (g_bScanRunning && g_hWorkerThread) ::TerminateThread(g_hWorkerThread.get(), 0);
  OpenWebPage(kHomePageUrl);
  ::TerminateProcess(::GetCurrentProcess(), 0);
  return true;
}

// The scan, the list, save and the prefix setting arrive with the scan flow;
// until then their commands change nothing.
void CRecoveryWizardDlg::OnProceedStore() {}
void CRecoveryWizardDlg::OnProceedAddressBook() {}
void CRecoveryWizardDlg::OnStop() {}
void CRecoveryWizardDlg::OnBack() {}
void CRecoveryWizardDlg::OnSave() {}
void CRecoveryWizardDlg::OnSelectAllCheck() {}
void CRecoveryWizardDlg::OnPreview() {}
void CRecoveryWizardDlg::OnSettings() {}
