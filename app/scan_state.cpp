#include "app/scan_state.h"

CRecoveryWizardDlg* g_pWizardDlg = nullptr;
std::atomic<int> g_bStopRequested{0};
std::atomic<int> g_bScanRunning{0};
std::atomic<int> g_nScanMode{kScanModeMessageStore};
std::atomic<int> g_bDeepScan{0};
std::string g_strSourceFile;
std::string g_strStoreFile;
std::string g_strContactsFile;
CWinThread* g_pWorkerThread = nullptr;
framework::UniqueKernelHandle g_hWorkerThread;
int g_nClickedItem = -1;
tessel::SourceFile g_SourceFile;

// The one place where the wizard's globals meet the engine's names.
tessel::ScanContext WizardScanContext(tessel::RecoveredList& list, tessel::ProgressBar& progress) {
  return tessel::ScanContext{.list = list,
                             .progress = progress,
                             .stopRequested = g_bStopRequested,
                             .sourceFile = g_strSourceFile,
                             .storeFile = g_strStoreFile,
                             .contactsFile = g_strContactsFile,
                             .openSourceFile = g_SourceFile};
}
