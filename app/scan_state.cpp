#include "app/scan_state.h"

CRecoveryWizardDlg* g_pWizardDlg = nullptr;
std::atomic<int> g_bStopRequested{0};
std::atomic<int> g_bScanRunning{0};
std::atomic<int> g_nScanMode{kScanModeMessageStore};
std::string g_strSourceFile;
std::string g_strStoreFile;
std::string g_strContactsFile;
CWinThread* g_pWorkerThread = nullptr;
framework::UniqueKernelHandle g_hWorkerThread;
int g_nClickedItem = -1;
tessel::SourceFile g_SourceFile;

tessel::ScanContext WizardScanContext(tessel::RecoveredList& list, tessel::ProgressBar& progress) {
  return tessel::ScanContext{list,           progress,          g_bStopRequested, g_strSourceFile,
                             g_strStoreFile, g_strContactsFile, g_SourceFile};
}
