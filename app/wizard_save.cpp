// Save: the checked rows into a folder the user picks (the last one picked,
// Documents the first time; the folder export asks for its folder the same
// way), through the "Saving Mails..." dialog, then a
// notice of what was written and where, with a link that opens the folder,
// and of any record cut short.
#include <windows.h>

#include "app/folder_picker.h"
#include "app/product.h"
#include "app/recovery_wizard_dlg.h"
#include "app/saving_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "recovery/save_notice.h"

namespace {
constexpr char kSaveWhileScanning[] = "Please stop search process and then save files";
constexpr char kNothingChecked[] = "Please select files for save";
constexpr char kFolderPickerTitle[] = "Select the folder to save the recovered items in";
}  // namespace

void CRecoveryWizardDlg::OnSave() {
  if (StepNumber() != 2) return;
  if (m_steps.ScanRunning()) {
    WizardMessageBox(kSaveWhileScanning, kNoticeStyle);
    return;
  }
  if (m_results.List().FirstCheckedRow() < 0) {
    WizardMessageBox(kNothingChecked, kNoticeStyle);
    return;
  }
  SaveCheckedRows();
}

std::string CRecoveryWizardDlg::PickSaveFolder(HWND owner) {
  std::string start = m_strSaveFolder.empty() ? DocumentsFolder() : m_strSaveFolder;
  std::string folder = PickFolder(owner ? owner : m_hWnd, start, kFolderPickerTitle);
  if (!folder.empty()) m_strSaveFolder = folder;
  return folder;
}

void CRecoveryWizardDlg::SaveCheckedRows() {
  SaveRows(m_results.List().CheckedRows(), this, m_results.List().HiddenCheckedCount());
}

void CRecoveryWizardDlg::SaveRows(const std::vector<int>& rows, CWnd* parent, int hiddenBySearch) {
  std::string folder = PickSaveFolder(parent->m_hWnd);
  if (folder.empty()) return;

  tessel::recovery::SaveJob job;
  job.contacts = !ScanningMessages();
  job.folder = folder;
  job.prefix = m_strFilePrefix;
  job.storeFile = g_strStoreFile;
  job.rows = rows;
  for (int row : job.rows) {
    if (const tessel::MessageRow* message = m_results.List().Message(row)) job.messages.push_back(*message);
    if (const tessel::ContactRow* contact = m_results.List().Contact(row)) job.contactRows.push_back(*contact);
  }
  const tessel::recovery::SaveOutcome outcome = RunSavingDialog(job, parent);
  const std::string said = tessel::recovery::DescribeSaveEnd(outcome, FolderLink(folder)) +
                           tessel::recovery::DescribeHiddenChecked(hiddenBySearch, job.contacts);
  // A save that lost anything looks like an error.
  WizardMessageBox(said.c_str(), outcome.LostAnything() ? kErrorStyle : kNoticeStyle);
}
