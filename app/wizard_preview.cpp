// Preview: a message's record copied out of the store into "oxbtemp.eml" in
// the temporary folder, opened by the user's viewer for .eml files.
#include <windows.h>

#include "app/folder_path.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/wizard_message.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/source_file.h"

namespace {
constexpr char kPreviewFileName[] = "oxbtemp.eml";
// Cells 4 and 5 are read back as at most this many characters.
constexpr size_t kNumberCellLength = 19;
}  // namespace

std::string CRecoveryWizardDlg::PreviewFilePath() {
  char folder[MAX_PATH] = {};
  DWORD length = ::GetTempPathA(MAX_PATH, folder);
  return PathInFolder(length > 0 && length < MAX_PATH ? folder : "", kPreviewFileName);
}

void CRecoveryWizardDlg::OnPreview() {
  int row = g_nClickedItem;
  if (row >= 0) {
    m_btnBack.ShowWindow(SW_HIDE);
    m_btnStop.ShowWindow(SW_SHOW);
    std::int64_t offset = tessel::ParseDecimalCell(
        std::string(m_lstRecovered.Cell(row, tessel::kOffsetCell).substr(0, kNumberCellLength)));
    std::int64_t length = tessel::ParseDecimalCell(
        std::string(m_lstRecovered.Cell(row, tessel::kLengthCell).substr(0, kNumberCellLength)));
    std::string path = PreviewFilePath();
    ::DeleteFileA(path.c_str());

    // The engine does not say which side failed: the store is tried first.
    tessel::SourceFile store;
    if (!store.Open(g_strStoreFile)) {
      WizardMessageBox(
          ("The message cannot be previewed: the message store " + g_strStoreFile + " cannot be read.").c_str(),
          kNoticeStyle);
    } else {
      store.Close();
      if (tessel::CopyRecordToFile(g_strStoreFile, offset, length, path) < 0) {
        WizardMessageBox(("The message cannot be previewed: the preview file " + path + " cannot be written.").c_str(),
                         kNoticeStyle);
      } else {
        OpenFileWithShell(path);
      }
    }
  }
  m_btnBack.ShowWindow(SW_SHOW);
  m_btnStop.ShowWindow(SW_HIDE);
}
