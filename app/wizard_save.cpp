// Save: the checked rows into a folder the user picks (the last one picked,
// Documents the first time; the folder export asks for its folder the same
// way), through the "Saving Mails..." dialog, then a
// notice of what was written and where, with a link that opens the folder,
// and of any record cut short.
#include <windows.h>

#include "app/folder_picker.h"
#include "app/product.h"
#include "app/recovery_wizard_dlg.h"
#include "app/save_job.h"
#include "app/saving_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"

namespace {
constexpr char kSaveWhileScanning[] = "Please stop search process and then save files";
constexpr char kNothingChecked[] = "Please select files for save";
constexpr char kFolderPickerTitle[] = "Select the folder to save the recovered items in";

std::string Files(int count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

// The records not saved as stored: "; 1 cut short where the store ends".
std::string CutShortNote(const SaveOutcome& outcome) {
  std::string note;
  if (outcome.cutShort > 0) note += "; " + std::to_string(outcome.cutShort) + " cut short where the store ends";
  if (outcome.unreadable > 0)
    note += "; " + std::to_string(outcome.unreadable) + " with bytes that could not be read (NUL bytes in their place)";
  if (outcome.endedEarly > 0) {
    note += "; " + std::to_string(outcome.endedEarly) +
            " not saved whole: the store gave out before the size it had when opened";
  }
  return note;
}

std::string SaveNotice(const SaveOutcome& outcome, const std::string& folder) {
  if (!outcome.failedFile.empty())
    return "The file " + outcome.failedFile + " could not be written: " + outcome.reason + ".<br>" +
           Files(outcome.written) + " had been written to " + FolderLink(folder) + " before it" +
           CutShortNote(outcome) + ".";
  if (outcome.cancelled)
    return "Saving was cancelled. " + Files(outcome.written) + " written to " + FolderLink(folder) +
           CutShortNote(outcome) + ".";
  return Files(outcome.written) + " written to " + FolderLink(folder) + CutShortNote(outcome) + ".";
}

// A save that lost anything looks like an error.
std::uint32_t SaveNoticeStyle(const SaveOutcome& outcome) {
  const bool lost =
      !outcome.failedFile.empty() || outcome.cutShort > 0 || outcome.unreadable > 0 || outcome.endedEarly > 0;
  return lost ? kErrorStyle : kNoticeStyle;
}
}  // namespace

void CRecoveryWizardDlg::OnSave() {
  if (m_nStep != 2) return;
  if (g_bScanRunning) {
    WizardMessageBox(kSaveWhileScanning, kNoticeStyle);
    return;
  }
  if (m_lstRecovered.FirstCheckedRow() < 0) {
    WizardMessageBox(kNothingChecked, kNoticeStyle);
    return;
  }
  SaveCheckedRows();
}

std::string CRecoveryWizardDlg::PickSaveFolder() {
  std::string start = m_strSaveFolder.empty() ? DocumentsFolder() : m_strSaveFolder;
  std::string folder = PickFolder(m_hWnd, start, kFolderPickerTitle);
  if (!folder.empty()) m_strSaveFolder = folder;
  return folder;
}

void CRecoveryWizardDlg::SaveCheckedRows() {
  std::string folder = PickSaveFolder();
  if (folder.empty()) return;

  SaveJob job;
  job.contacts = !ScanningMessages();
  job.folder = folder;
  job.prefix = m_strFilePrefix;
  job.storeFile = g_strStoreFile;
  job.rows = m_lstRecovered.CheckedRows();
  for (int row : job.rows) {
    if (const tessel::MessageRow* message = m_lstRecovered.Message(row)) job.messages.push_back(*message);
    if (const tessel::ContactRow* contact = m_lstRecovered.Contact(row)) job.contactRows.push_back(*contact);
  }
  SaveOutcome outcome = RunSavingDialog(job, this);
  WizardMessageBox(SaveNotice(outcome, folder).c_str(), SaveNoticeStyle(outcome));
}
