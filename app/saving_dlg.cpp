#include "app/saving_dlg.h"

#include <chrono>

#include "app/scan_state.h"
#include "app/thread_messages.h"
#include "engine/message_row.h"
#include "export/code_pages.h"
#include "framework/worker_thread.h"
#include "recovery/save_progress.h"
#include "res/resource.h"

namespace {
// The cells shown for a message and for a contact: From, To, Subject and
// display name, e-mail, title.
constexpr int kMessageShown[3] = {tessel::kFromCell, tessel::kToCell, tessel::kSubjectCell};
constexpr int kContactShown[3] = {0, 1, 2};

// The address book's bytes are text of the installation's code page.
const tessel::exporting::CodePage& SystemCodePage() {
  const tessel::exporting::CodePage* page = tessel::exporting::FindCodePage(static_cast<int>(::GetACP()));
  return page ? *page : *tessel::exporting::FindCodePage(tessel::exporting::kDefaultCodePage);
}

}  // namespace

CSavingDlg::CSavingDlg(SaveJob& job, CWnd* parent) : CDialog(IDD_SAVING_MAILS, parent), m_job(job) {}

BOOL CSavingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_prgSave.Attach(GetDlgItem(IDC_SAVING_PROGRESS));
  m_prgSave.SetRange32(0, static_cast<int>(m_job.rows.size()));
  ::ShowWindow(GetDlgItem(IDOK), SW_HIDE);
  ::ShowWindow(GetDlgItem(IDCANCEL), SW_SHOW);
  m_nStartedAt = ::GetTickCount();
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
  SaveOutcome outcome = RunSaveJob(self->m_job, SystemCodePage(), [self](size_t index, const tessel::CellRow& cells) {
    SavingRow row{index, &cells};
    SendThreadMessage<ThreadMessage::kSavingRow>(self->m_hWnd, row);
  });
  SendThreadMessage<ThreadMessage::kSavingDone>(self->m_hWnd, outcome);
  return 0;
}

bool CSavingDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (IsThreadMessage(message, ThreadMessage::kSavingRow)) {
    const SavingRow& row = ThreadMessagePayload<ThreadMessage::kSavingRow>(lParam);
    const int* shown = m_job.contacts ? kContactShown : kMessageShown;
    const int controls[3] = {IDC_SAVING_FROM, IDC_SAVING_TO, IDC_SAVING_SUBJECT};
    for (int i = 0; i < 3; ++i) {
      size_t cell = static_cast<size_t>(shown[i]);
      ::SetDlgItemTextA(m_hWnd, controls[i], std::string(row.cells->cell(cell)).c_str());
    }
    m_prgSave.SetPos(static_cast<int>(row.index + 1));
    const std::size_t total = m_job.rows.size();
    const std::chrono::milliseconds elapsed(::GetTickCount() - m_nStartedAt);
    ::SetDlgItemTextA(m_hWnd, IDC_SAVING_COUNT, tessel::recovery::SavingCountText(row.index, total).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_SAVING_TIME_LEFT,
                      tessel::recovery::SavingTimeLeftText(row.index, total, elapsed).c_str());
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kSavingDone)) {
    m_outcome = std::move(ThreadMessagePayload<ThreadMessage::kSavingDone>(lParam));
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
