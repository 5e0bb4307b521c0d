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

void PublishWizard(CRecoveryWizardDlg* window) { g_pWizardDlg = window; }

void UnpublishWizard(const CRecoveryWizardDlg* window) {
  if (g_pWizardDlg == window) g_pWizardDlg = nullptr;
}

void ShareStepState(const tessel::recovery::WizardSteps& steps) {
  g_bScanRunning = steps.ScanRunning() ? 1 : 0;
  g_bStopRequested = steps.StopRequested() ? 1 : 0;
}

void ShareChosenFile(const std::string& path) { g_strSourceFile = path; }

void ShareScanMode(tessel::ScanMode mode) { g_nScanMode = mode; }

void ShareWorker(CWinThread* thread, HANDLE own) {
  g_pWorkerThread = thread;
  g_hWorkerThread.reset(own);
}

void ShareClickedRow(int row) { g_nClickedItem = row; }

void TakeScanResult(const tessel::recovery::ScanResult& result) {
  if (!ScanningMessages() || result.storePath.empty()) {
    g_strStoreFile = g_strSourceFile;
    return;
  }
  g_strStoreFile = result.storePath;
  g_strSourceFile = result.storePath;
}
