#include "app/saving_dlg.h"

#include "engine/message_row.h"
#include "framework/worker_thread.h"
#include "res/resource.h"

namespace {
// From the save thread: one row is about to be written (lParam: SavingRow),
// and the job is done (lParam: SaveOutcome).
enum : UINT {
  kSavingRowMessage = WM_APP + 0x60,
  kSavingDoneMessage,
};

struct SavingRow {
  size_t index;
  const tessel::CellRow* cells;
};

// The cells shown for a message and for a contact: From, To, Subject and
// display name, e-mail, title.
constexpr int kMessageShown[3] = {tessel::kFromCell, tessel::kToCell, tessel::kSubjectCell};
constexpr int kContactShown[3] = {0, 1, 2};

}  // namespace

CSavingDlg::CSavingDlg(SaveJob& job, CWnd* parent) : CDialog(IDD_SAVING_MAILS, parent), m_job(job) {}

BOOL CSavingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_prgSave.Attach(GetDlgItem(IDC_SAVING_PROGRESS));
  m_prgSave.SetRange32(0, static_cast<int>(m_job.rows.size()));
  ::ShowWindow(GetDlgItem(IDOK), SW_HIDE);
  ::ShowWindow(GetDlgItem(IDCANCEL), SW_SHOW);
  HANDLE own = nullptr;
  if (!AfxBeginThread(&CSavingDlg::SaveThread, this, THREAD_PRIORITY_NORMAL, 0, 0, &own)) {
    m_bDone = true;
    m_outcome.reason = "the save could not be started";
    EndDialog(IDOK);
  }
  m_hThread.reset(own);
  return TRUE;
}

UINT CSavingDlg::SaveThread(LPVOID parameter) {
  auto* self = static_cast<CSavingDlg*>(parameter);
  SaveOutcome outcome = RunSaveJob(self->m_job, [self](size_t index, const tessel::CellRow& cells) {
    SavingRow row{index, &cells};
    self->SendMessage(kSavingRowMessage, 0, reinterpret_cast<LPARAM>(&row));
  });
  self->SendMessage(kSavingDoneMessage, 0, reinterpret_cast<LPARAM>(&outcome));
  return 0;
}

bool CSavingDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == kSavingRowMessage) {
    const auto& row = *reinterpret_cast<const SavingRow*>(lParam);
    const int* shown = m_job.mode == 0 ? kMessageShown : kContactShown;
    const int controls[3] = {IDC_SAVING_FROM, IDC_SAVING_TO, IDC_SAVING_SUBJECT};
    for (int i = 0; i < 3; ++i) {
      size_t cell = static_cast<size_t>(shown[i]);
      ::SetDlgItemTextA(m_hWnd, controls[i], std::string(row.cells->cell(cell)).c_str());
    }
    m_prgSave.SetPos(static_cast<int>(row.index + 1));
    return true;
  }
  if (message == kSavingDoneMessage) {
    m_outcome = std::move(*reinterpret_cast<SaveOutcome*>(lParam));
    m_bDone = true;
    m_prgSave.SetPos(static_cast<int>(m_job.rows.size()));
    ::ShowWindow(GetDlgItem(IDCANCEL), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDOK), SW_SHOW);
    EndDialog(IDOK);
    return true;
  }
  return CDialog::HandleMessage(message, wParam, lParam, result);
}

void CSavingDlg::OnOK() {
  if (m_bDone) EndDialog(IDOK);
}

void CSavingDlg::OnCancel() {
  // The job ends after its current file and then closes the dialog.
  m_job.cancelRequested = 1;
  ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
}

SaveOutcome RunSavingDialog(SaveJob& job, CWnd* parent) {
  CSavingDlg dialog(job, parent);
  dialog.DoModal();
  // The thread has sent its last message; let it end before the job goes.
  if (dialog.m_hThread) ::WaitForSingleObject(dialog.m_hThread.get(), INFINITE);
  return dialog.Outcome();
}
