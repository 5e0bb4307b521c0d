// The state that the wizard window and its scan worker share, in one place:
// the window the worker drives, the flags each side polls, the paths of the
// current scan. The scan itself owns its files and reports through its result,
// which TakeScanResult copies into these globals. The window writes them only
// through the functions below, so that each has one writer on its side: the
// flags follow the step rules, never a handler of their own.
#pragma once

#include <atomic>
#include <string>

#include "win32_base/gdi_handles.h"
#include "framework/worker_thread.h"
#include "recovery/scan.h"
#include "recovery/wizard_steps.h"

class CRecoveryWizardDlg;

// The wizard window, published when it opens.
extern CRecoveryWizardDlg* g_pWizardDlg;
// Set by Stop and exit, cleared by each Proceed and by a message store scan
// when it starts; polled by the store scans.
extern std::atomic<int> g_bStopRequested;
// A worker runs (from Proceed until the window has shown its end).
extern std::atomic<int> g_bScanRunning;
// What the current or last scan reads: a message store (the usual or the deep
// scan, as the choose step's check box says) or an address book.
extern std::atomic<tessel::ScanMode> g_nScanMode;
// The path the user chose; a store scan replaces an index's path by its store's.
extern std::string g_strSourceFile;
// The store that preview and save read.
extern std::string g_strStoreFile;
// The thread object of the current or last scan; it deletes itself when its
// thread ends, so it is valid only while g_bScanRunning is set.
extern CWinThread* g_pWorkerThread;
// A handle of our own on the same thread, valid after the object is gone, for
// waiting on the worker at exit or ending it forcibly.
extern framework::UniqueKernelHandle g_hWorkerThread;
// The list row under the last click, negative when the click hit no row.
extern int g_nClickedItem;

// True when g_nScanMode reads a message store.
inline bool ScanningMessages() { return g_nScanMode != tessel::ScanMode::kAddressBook; }

// The window when it opens, and when it goes (only the published one unpublishes).
void PublishWizard(CRecoveryWizardDlg* window);
void UnpublishWizard(const CRecoveryWizardDlg* window);
// "A worker runs" and "stop was asked", as the step rules hold them.
void ShareStepState(const tessel::recovery::WizardSteps& steps);
// A scan about to start: the file chosen, then what it reads.
void ShareChosenFile(const std::string& path);
void ShareScanMode(tessel::ScanMode mode);
// The worker just started (a null thread: none could be).
void ShareWorker(CWinThread* thread, HANDLE own);
void ShareClickedRow(int row);
// Fills the paths from a finished scan's result.
void TakeScanResult(const tessel::recovery::ScanResult& result);
