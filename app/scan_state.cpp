#include "app/scan_state.h"

CRecoveryWizardDlg* g_pWizardDlg = nullptr;
std::atomic<int> g_bStopRequested{0};
std::atomic<int> g_bScanRunning{0};
std::atomic<tessel::ScanMode> g_nScanMode{tessel::ScanMode::kUsual};
std::string g_strSourceFile;
std::string g_strStoreFile;
CWinThread* g_pWorkerThread = nullptr;
framework::UniqueKernelHandle g_hWorkerThread;
int g_nClickedItem = -1;

void TakeScanResult(const tessel::recovery::ScanResult& result) {
  if (!ScanningMessages() || result.storePath.empty()) {
    g_strStoreFile = g_strSourceFile;
    return;
  }
  g_strStoreFile = result.storePath;
  g_strSourceFile = result.storePath;
}
