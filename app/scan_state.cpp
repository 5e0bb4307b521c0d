#include "app/scan_state.h"

CRecoveryWizardDlg* g_pWizardDlg = nullptr;
std::atomic<int> g_bStopRequested{0};
std::atomic<int> g_bScanRunning{0};
std::atomic<int> g_nScanMode{kScanModeMessageStore};
std::atomic<int> g_bDeepScan{0};
std::string g_strSourceFile;
std::string g_strStoreFile;
CWinThread* g_pWorkerThread = nullptr;
framework::UniqueKernelHandle g_hWorkerThread;
int g_nClickedItem = -1;

tessel::recovery::ScanMode CurrentScanMode() {
  using tessel::recovery::ScanMode;
  if (g_nScanMode == kScanModeAddressBook) return ScanMode::kAddressBook;
  return g_bDeepScan ? ScanMode::kDeep : ScanMode::kUsual;
}

void TakeScanResult(const tessel::recovery::ScanResult& result) {
  if (g_nScanMode == kScanModeAddressBook || result.storePath.empty()) {
    g_strStoreFile = g_strSourceFile;
    return;
  }
  g_strStoreFile = result.storePath;
  g_strSourceFile = result.storePath;
}
