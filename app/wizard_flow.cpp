// The wizard's flow between its steps: Proceed starts a scan on a worker
// thread, the worker's start and end are carried out here on the window's
// thread, Stop asks and sets the stop request, Back returns to the choose
// step. Leaving the program: exit asks first, then ends the worker and the
// process at once (the window's thread never waits for a scan's worker); a
// move is stopped first and its worker waited for, with the window's messages
// handled meanwhile.
#include <windows.h>
#include <shellapi.h>

#include <array>

#include "app/file_choosers.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/scan_worker.h"
#include "app/thread_messages.h"
#include "app/shell_open.h"
#include "app/link_pages.h"
#include "app/wizard_message.h"
#include "win32_base/wide_path.h"
#include "recovery/plural.h"
#include "recovery/scan_notice.h"
#include "engine/deep_scan.h"
#include "engine/source_file.h"
#include "framework/background.h"
#include "framework/message_pump.h"
#include "res/resource.h"

namespace {
// The side panel's texts while and after a scan, each above its row count.
// The label wraps them to the panel's width.
constexpr char kScanningText[] = "Searching Messages...... (You can stop this search process by pressing stop button )";
constexpr char kMessagesFoundText[] = "Click a message to preview it. Tick what you want to keep, then press Save.";
constexpr char kContactsFoundText[] = "Tick the contacts you want to keep, then press Save.";

constexpr char kStoppingText[] = "Stopping: the file being written is removed, those finished stay.";
constexpr char kStopMoveQuestion[] =
    "Do you want to stop moving your mail? The file being written now is removed; the files already written stay.";
constexpr char kStopAfterTheEnd[] = "The search had already ended: nothing was stopped.";

// How long exit waits for a stopped move to remove its unfinished file and
// write its report; a worker stuck longer (a stalled disk) is ended forcibly.
constexpr DWORD kExitWaitMs = 30000;

// The row count under the scanning text changes at most this often.
constexpr DWORD kScanningTextIntervalMs = 250;

// A deep scan's rows found only in the store: their own image, and a tip.
constexpr int kStoreOnlyImage = CRecoveredListCtrl::kStoreOnlyImage;
constexpr char kStoreOnlyTip[] = "Found only in the store: deleted, or never indexed";
constexpr char kUnclaimedTip[] = "Bytes of the store that no message claims, listed so that nothing is lost";

// The template's instruction line (8 x 8 dialog units) cannot show its text:
// it is given the side panel's free space below the steps (dialog units).
constexpr RECT kInstructionArea = {6, 150, 130, 260};

std::string ScanningText(int rows, tessel::ScanMode mode) {
  const std::string count =
      tessel::recovery::Counted(rows, mode == tessel::ScanMode::kAddressBook ? "contact" : "message") + " found so far";
  return std::string(kScanningText) + "\r\n\r\n" + count;
}
}  // namespace

void CRecoveryWizardDlg::OnProceedStore() { StartScan(false); }

void CRecoveryWizardDlg::OnProceedAddressBook() { StartScan(true); }

void CRecoveryWizardDlg::StartScan(bool addressBook) {
  // One worker at a time: a command that reaches us while one runs is refused here.
  if (!m_steps.MayProceed()) return;
  std::string path = addressBook ? ChooseAddressBookFile(this) : ChooseStoreFile(this);
  if (path.empty() || !tessel::FileExists(path)) return;
  StartScanOf(path, addressBook);
}

void CRecoveryWizardDlg::StartScanOf(const std::string& path, bool addressBook) {
  ShareChosenFile(path);
  m_bPendingAddressBook = addressBook;
  m_steps.Proceed();
  ShowStepControls();
  // The rest runs at the message loop's next turn: the chooser's closing and
  // the list's new columns would otherwise keep the window from answering for
  // one long stretch. A posted message comes before any click.
  ::PostMessageA(m_hWnd, static_cast<UINT>(ThreadMessage::kBeginScan), 0, 0);
}

void CRecoveryWizardDlg::BeginScan() {
  m_results.Clear();
  using tessel::ScanMode;
  ShareScanMode(m_bPendingAddressBook        ? ScanMode::kAddressBook
                : m_choose.DeepScanChecked() ? ScanMode::kDeep
                                             : ScanMode::kUsual);
  m_results.List().SetScanMode(g_nScanMode);
  m_results.List().MarkRows({{tessel::Origin::kStore, kStoreOnlyImage, kStoreOnlyTip},
                             {tessel::Origin::kUnclaimed, kStoreOnlyImage, kUnclaimedTip}});
  SetListColumns();

  auto* job =
      new ScanJob{m_hWnd, &m_results.List(), &m_prgScan,
                  tessel::ResolveChosenFile(g_strSourceFile, ScanningMessages() ? tessel::ChosenAs::kMessageStore
                                                                                : tessel::ChosenAs::kAddressBook),
                  g_nScanMode};
  if (!StartWorker(&ScanWorker, job)) delete job;
}

void CRecoveryWizardDlg::OnDropFiles(HDROP drop) {
  std::wstring path(::DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
  path.resize(::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
  ::DragFinish(drop);
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  // After a scan or a move has ended, a drop starts afresh, as Back and Proceed would.
  if (!m_steps.MayProceed() && !m_steps.ScanRunning() && m_steps.Back()) ShowStepControls();
  if (!m_steps.MayProceed()) return;
  const std::string utf8 = tessel::Utf8OfWide(path);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    StartMove(utf8);
    return;
  }
  StartScanOf(utf8, tessel::ResolveChosenFile(utf8).kind == tessel::FileKind::kAddressBook);
}

bool CRecoveryWizardDlg::StartWorker(AFX_THREADPROC procedure, void* job) {
  HANDLE own = nullptr;
  CWinThread* thread = AfxBeginThread(procedure, job, THREAD_PRIORITY_NORMAL, 0, 0, &own);
  ShareWorker(thread, own);
  if (thread) return true;
  // No worker will end: the choose step's buttons are free again.
  m_steps.ScanEnded();
  ShowStepControls();
  return false;
}

int CRecoveryWizardDlg::StepNumber() const {
  using Step = tessel::recovery::WizardSteps::Step;
  const Step step = m_steps.CurrentStep();
  return step == Step::kChoose ? 1 : step == Step::kResults ? 2 : 3;
}

void CRecoveryWizardDlg::ShowStepControls() {
  const tessel::recovery::WizardControls shown = m_steps.Controls();
  using Step = tessel::recovery::WizardSteps::Step;
  const Step step = m_steps.CurrentStep();
  ShareStepState(m_steps);
  auto show = [](CWnd& control, bool visible) { control.ShowWindow(visible ? SW_SHOW : SW_HIDE); };
  m_choose.Show(shown);
  for (CHoverButton* link : LinkButtons()) show(*link, true);
  m_results.Show(shown);
  m_move.Show(shown);
  show(m_prgScan, shown.progress);
  show(m_btnStop, shown.stop);
  show(m_btnBack, shown.back);
  show(m_lblInstruction, shown.instruction);
  const UINT background = step == Step::kChoose    ? IDB_CHOOSE_BACKGROUND
                          : step == Step::kResults ? IDB_RESULTS_BACKGROUND
                                                   : IDB_MOVE_BACKGROUND;
  if (background != PictureId()) SetPicture(background);
}

void CRecoveryWizardDlg::PlaceInstructionLine() { PlaceControl(m_lblInstruction.m_hWnd, kInstructionArea); }

void CRecoveryWizardDlg::OnScanStarted() {
  m_prgScan.SendMessage(PBM_SETPOS, 0);
  PlaceInstructionLine();
  UpdateScanningText();
  // Each batch of rows may bring the count up to date.
  m_results.List().SetRowsAddedHandler([this] {
    if (::GetTickCount() - m_nCountShownAt >= kScanningTextIntervalMs) UpdateScanningText();
  });
}

void CRecoveryWizardDlg::UpdateScanningText() {
  m_nCountShownAt = ::GetTickCount();
  m_lblInstruction.SetWindowText(ScanningText(m_results.List().RowCount(), g_nScanMode));
}

void CRecoveryWizardDlg::OnScanEnded(const tessel::recovery::ScanResult& result) {
  m_results.List().SetRowsAddedHandler(nullptr);
  // The notice names the file the user chose: the result turns the source into the store.
  const std::string chosen = g_strSourceFile;
  TakeScanResult(result);
  m_steps.ScanEnded();
  const tessel::recovery::ScanEndText said = tessel::recovery::DescribeScanEnd(result, g_nScanMode, chosen);
  m_strFoundCount = said.count + m_results.List().RowKindsNote();
  // Rows that came after a sort take their places.
  m_results.List().RefreshView();
  // A worker that ends while the choose step shows leaves the results step's texts alone.
  if (StepNumber() == 2) ShowFoundText();
  ShowStepControls();
  if (StepNumber() == 2) {
    // The keyboard carries on from the first row; the hidden Stop had it.
    const bool rows = m_results.List().RowCount() > 0;
    if (rows) m_results.List().FocusRow(0);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(rows ? m_results.List().m_hWnd : m_btnBack.m_hWnd), TRUE);
  }
  m_results.List().SetAllChecked(true);
  Invalidate();
  m_results.List().Invalidate();
  if (!said.notice.empty()) WizardMessageBox(said.notice.c_str(), said.failed ? kErrorStyle : kNoticeStyle);
}

void CRecoveryWizardDlg::ShowFoundText() {
  const CRecoveredListCtrl& list = m_results.List();
  std::string count = m_strFoundCount;
  if (list.Searching())
    count += "\r\n" + std::to_string(list.ShownCount()) + " of " + std::to_string(list.RowCount()) + " shown";
  m_lblInstruction.SetWindowText(std::string(ScanningMessages() ? kMessagesFoundText : kContactsFoundText) +
                                 "\r\n\r\n" + count);
}

void CRecoveryWizardDlg::OnSearchChanged() {
  m_results.OnSearchChanged();
  // While a scan runs the side panel counts what was found so far.
  if (StepNumber() == 2 && !m_steps.ScanRunning()) ShowFoundText();
}

void CRecoveryWizardDlg::OnStop() {
  if (!m_steps.MayStop()) return;
  const char* question = StepNumber() == 3 ? kStopMoveQuestion : "Do you really want to stop search process ?";
  if (WizardMessageBox(question, kQuestionStyle) != tessel::MessageBoxButton::kYes) return;
  // The scan may have ended while the question was up: the answer then changes nothing.
  if (!m_steps.Stop()) {
    WizardMessageBox(kStopAfterTheEnd, kNoticeStyle);
    return;
  }
  ShowStopRequested();
}

void CRecoveryWizardDlg::ShowStopRequested() {
  ShowStepControls();
  if (StepNumber() == 3) m_lblInstruction.SetWindowText(kStoppingText);
}

void CRecoveryWizardDlg::WaitForStoppedMove() {
  if (m_steps.Stop()) ShowStopRequested();
  const HANDLE worker = g_hWorkerThread.get();
  const DWORD start = ::GetTickCount();
  while (worker) {
    framework::PumpPendingMessages();
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= kExitWaitMs) return;
    // Woken by the worker's end or by a message: the worker's own are sent to this thread.
    if (::MsgWaitForMultipleObjectsEx(1, &worker, kExitWaitMs - waited, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
        WAIT_OBJECT_0 + 1)
      return;
  }
}

void CRecoveryWizardDlg::OnBack() {
  if (!m_steps.Back()) return;
  m_results.List().SetRowsAddedHandler(nullptr);
  ShowStepControls();
}

bool CRecoveryWizardDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (HandleFolderExportMessage(message, lParam)) return true;
  if (IsThreadMessage(message, ThreadMessage::kBeginScan)) {
    BeginScan();
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kScanStarted)) {
    OnScanStarted();
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kScanEnded)) {
    OnScanEnded(ThreadMessagePayload<ThreadMessage::kScanEnded>(lParam));
    return true;
  }
  switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // High contrast on or off: the link pictures follow, as the background does.
      SetUpLinkButtons();
      return CPictureDialog::HandleMessage(message, wParam, lParam, result);
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      *result = 0;
      return true;
    case WM_CTLCOLORSTATIC: {
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (control == m_choose.DeepScanBox().m_hWnd) {
        *result = PaintUnderDeepScanBox(reinterpret_cast<HDC>(wParam));
      } else if (m_move.IsLink(control) || m_results.IsPrefixLink(control)) {
        *result = CMoveStep::PaintUnderLink(reinterpret_cast<HDC>(wParam));
      } else {
        return CPictureDialog::HandleMessage(message, wParam, lParam, result);
      }
      return true;
    }
    default:
      return CPictureDialog::HandleMessage(message, wParam, lParam, result);
  }
}

LRESULT CRecoveryWizardDlg::PaintUnderDeepScanBox(HDC dc) const {
  // The box stands on the background picture: its own repaints (a tick) draw
  // the picture's part under it first, and its text leaves it showing.
  RECT box = m_choose.DeepScanBox().GetWindowRect();
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&box), 2);
  POINT origin{};
  ::SetViewportOrgEx(dc, -box.left, -box.top, &origin);
  framework::PaintBackground(dc, Picture(), GetClientRect());
  ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

void CRecoveryWizardDlg::EndWorkerBeforeLeaving() {
  m_bLeaving = true;
  // A move ended forcibly would leave its mbox cut where the stop fell, looking
  // whole, and no report: it stops as Stop stops it. A scan writes nothing.
  if (m_steps.CurrentStep() == tessel::recovery::WizardSteps::Step::kFolderExport && m_steps.ScanRunning())
    WaitForStoppedMove();
  else if (m_steps.Stop())
    ShowStopRequested();
  if (g_bScanRunning && g_hWorkerThread) ::TerminateThread(g_hWorkerThread.get(), 0);
}

bool CRecoveryWizardDlg::OnClose() {
  // A second exit while a stopped move is waited for: the first one ends the process.
  if (m_bLeaving) return true;
  ShowWindow(SW_SHOWNORMAL);
  if (WizardMessageBox("Do you really want to exit ?", kQuestionStyle) != tessel::MessageBoxButton::kYes) return true;
  EndWorkerBeforeLeaving();
  if (HasHomePage()) OpenWebPage(m_hWnd, kHomePageUrl);
  ::TerminateProcess(::GetCurrentProcess(), 0);
  return true;
}
