// Preview: a message's record copied out of the store into "oxbtemp.eml" in
// the temporary folder, opened by the user's viewer for .eml files. The one
// preview file is replaced by each preview; a record cut short is shown with
// the bytes the store has, as Save keeps it, and bytes that could not be read
// as NUL bytes, after a notice that says which.
#include <windows.h>

#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/wizard_message.h"
#include "engine/message_row.h"
#include "engine/path_join.h"
#include "engine/source_file.h"
#include "win32_base/wide_path.h"
#include "export/output_file.h"
#include "export/record_copy.h"

namespace {
constexpr char kPreviewFileName[] = "oxbtemp.eml";

using tessel::exporting::RecordCopy;

// True when the preview file holds what the store gave of the record (`copy` says how much).
bool WritePreviewFile(tessel::ByteReader& store, const tessel::MessageRecord& record, const std::string& path,
                      RecordCopy& copy) {
  tessel::exporting::OutputFile file;
  std::string error;
  if (!file.Create(path, tessel::exporting::Collision::kReplace, error)) return false;
  copy = tessel::exporting::CopyMessageRecord(store, record, file);
  return file.Finish(error);
}

// What the preview lacks of the stored message; empty when it has all the store has.
std::string PreviewLack(const RecordCopy& copy) {
  if (copy.end == RecordCopy::End::kStoreEnds && copy.unreadable.empty()) return {};
  return tessel::exporting::RecordCopyNote("Not all of this message could be read", copy);
}
}  // namespace

std::string CRecoveryWizardDlg::PreviewFilePath() {
  wchar_t folder[MAX_PATH] = {};
  DWORD length = ::GetTempPathW(MAX_PATH, folder);
  return tessel::JoinPath(length > 0 && length < MAX_PATH ? tessel::Utf8OfWide(folder) : "", kPreviewFileName);
}

void CRecoveryWizardDlg::OnPreview() {
  int row = g_nClickedItem;
  if (row >= 0 && m_steps.BeginPreview()) {
    ShowStepControls();
    const tessel::MessageRow* message = m_results.List().Message(row);
    const tessel::MessageRecord record = message != nullptr ? message->record : tessel::MessageRecord{};
    std::string path = PreviewFilePath();
    // An earlier preview never stands in for this one, whatever happens below.
    ::DeleteFileW(tessel::WidePath(path).c_str());

    tessel::SourceFile store;
    if (!store.Open(g_strStoreFile)) {
      WizardMessageBox(
          ("The message cannot be previewed: the message store " + g_strStoreFile + " cannot be read.").c_str(),
          kNoticeStyle);
    } else if (RecordCopy copy; !WritePreviewFile(store, record, path, copy)) {
      WizardMessageBox(("The message cannot be previewed: the preview file " + path + " cannot be written.").c_str(),
                       kNoticeStyle);
    } else {
      if (const std::string lack = PreviewLack(copy); !lack.empty())
        WizardMessageBox((lack + ".").c_str(), kErrorStyle);
      if (copy.copied > 0 || copy.Kept()) OpenFileWithShell(m_hWnd, path);
    }
    m_steps.EndPreview();
    ShowStepControls();
  }
}
