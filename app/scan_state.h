// The state that the wizard window, its scan worker and the recovery engine
// share, in one place: the window the worker drives, the flags each side
// polls, the paths of the current scan and the open source file. The engine
// sees it only through the ScanContext that WizardScanContext maps it onto.
#pragma once

#include <atomic>
#include <string>

#include "engine/recovered_list.h"
#include "engine/scan_context.h"
#include "engine/source_file.h"
#include "framework/gdi_handles.h"
#include "framework/worker_thread.h"

class CRecoveryWizardDlg;

// Message store or address book, the value of g_nScanMode.
inline constexpr int kScanModeMessageStore = 0;
inline constexpr int kScanModeAddressBook = 1;

// The wizard window, published when it opens.
extern CRecoveryWizardDlg* g_pWizardDlg;
// Set by Stop and exit, cleared by each Proceed; polled by the store scan.
extern std::atomic<int> g_bStopRequested;
// A worker runs.
extern std::atomic<int> g_bScanRunning;
extern std::atomic<int> g_nScanMode;
// The message store scan is the deep one (the choose step's check box).
extern std::atomic<int> g_bDeepScan;
// The path the user chose; a store scan replaces an index's path by its store's.
extern std::string g_strSourceFile;
// The store that extraction, the raw scan and preview read.
extern std::string g_strStoreFile;
// The contacts text file formed by the address book walk.
extern std::string g_strContactsFile;
// The thread object of the current or last scan; it deletes itself when its
// thread ends, so it is valid only while g_bScanRunning is set.
extern CWinThread* g_pWorkerThread;
// A handle of our own on the same thread, valid after the object is gone, for
// ending the worker forcibly.
extern framework::UniqueKernelHandle g_hWorkerThread;
// The list row under the last click, negative when the click hit no row.
extern int g_nClickedItem;
// The engine's open input file, closed by the worker or the address book walk.
extern tessel::SourceFile g_SourceFile;

// The engine's view of the globals above, with the window's list and progress bar.
tessel::ScanContext WizardScanContext(tessel::RecoveredList& list, tessel::ProgressBar& progress);
