// The choose step's third choice: everything in an IncrediMail folder (an
// identity, or the identities folder above it), moved in one go into a new
// subfolder ("Recovered mail", "Recovered mail (2)", ...) of a folder the user
// picks, as `tessel export FOLDER --to OUT --format mbox` writes it:
// one mbox file per store, the address books as vCard and CSV files, and a
// report. A row per store and address book shows how each went; the end is a
// notice with the counts, the output folder and the help page on importing.
#include <windows.h>

#include <string>

#include "app/file_choosers.h"
#include "app/folder_export_worker.h"
#include "app/folder_picker.h"
#include "app/link_pages.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/thread_messages.h"
#include "app/wizard_message.h"
#include "moving/move_words.h"
#include "win32_base/wide_path.h"
#include "res/resource.h"

namespace {
constexpr char kInputPickerTitle[] = "Select the IncrediMail folder to move (an identity, or all identities)";

constexpr char kExportingText[] =
    "Writing every message store and address book of the folder into mailbox (mbox), vCard and CSV files. "
    "(You can stop this process by pressing the stop button)";

bool FolderExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(tessel::WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using tessel::moving::IdentityExportResult;
}  // namespace

void CRecoveryWizardDlg::OnProceedIdentity() {
  // One worker at a time, as for a scan.
  if (!m_steps.MayProceed()) return;
  const std::string input = PickFolder(m_hWnd, ChooserStartFolder(), kInputPickerTitle);
  if (input.empty() || !FolderExists(input)) return;
  StartMove(input);
}

void CRecoveryWizardDlg::StartMove(const std::string& input) {
  const std::string output = PickSaveFolder();
  if (output.empty()) return;

  m_steps.ProceedFolderExport();
  m_move.Begin(output);
  m_prgScan.SetPos(0);
  PlaceInstructionLine();
  m_lblInstruction.SetWindowText(kExportingText);
  ShowStepControls();

  auto* job = new FolderExportJob{m_hWnd, &m_prgScan, input, output};
  if (!StartWorker(&FolderExportWorker, job)) {
    delete job;
    WizardMessageBox("The folder could not be moved: no thread could be started for it.", kErrorStyle);
  }
}

bool CRecoveryWizardDlg::HandleFolderExportMessage(UINT message, LPARAM lParam) {
  if (IsThreadMessage(message, ThreadMessage::kExportPlanned)) {
    m_move.ShowPlanned(ThreadMessagePayload<ThreadMessage::kExportPlanned>(lParam));
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kExportInputChanged)) {
    m_move.ShowChange(ThreadMessagePayload<ThreadMessage::kExportInputChanged>(lParam));
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kExportEnded)) {
    OnFolderExportEnded(ThreadMessagePayload<ThreadMessage::kExportEnded>(lParam));
    return true;
  }
  return false;
}

void CRecoveryWizardDlg::OnFolderExportEnded(const IdentityExportResult& result) {
  m_steps.ScanEnded();
  m_move.ShowEnd(result);
  const tessel::moving::MoveEndText said = tessel::moving::DescribeMoveEnd(result, m_move.OutputFolder());
  m_lblInstruction.SetWindowText(said.line);
  // A refused folder leaves nothing to show: the choose step comes back.
  if (!result.refused.empty()) m_steps.Back();
  ShowStepControls();
  // The keyboard carries on from Back; the hidden Stop had it.
  if (StepNumber() == 3) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_btnBack.m_hWnd), TRUE);
  // Leaving: the worker waits in this message until it returns, and exit waits for the worker.
  if (m_bLeaving) return;
  WizardMessageBox(said.notice.c_str(), said.failed ? kErrorStyle : kNoticeStyle);
}

bool CRecoveryWizardDlg::OnExportLinkNotify(const NMHDR& header) {
  if (header.code != NM_CLICK && header.code != NM_RETURN) return false;
  if (header.idFrom == IDC_EXPORT_FOLDER_LINK) {
    OpenFileWithShell(m_hWnd, m_move.OutputFolder());
  } else {
    OpenHelpPage(kMovingHelpPage);
  }
  return true;
}
