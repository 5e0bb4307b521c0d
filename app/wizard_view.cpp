// "View message": the clicked row's message read for a person in the message
// view, over the wizard's own Preview and Save of that row.
#include <windows.h>

#include <algorithm>
#include <string>

#include "app/message_view_dlg.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "engine/source_file.h"
#include "recovery/readable_message.h"

namespace {

// What a view of `row` read from `store` lacks; empty when nothing.
std::string MissingNote(const tessel::MessageRow& row, const tessel::ByteReader& store) {
  if (row.record.End() > store.Size()) {
    return "The message store ends " + std::to_string(std::max<std::int64_t>(store.Size() - row.record.offset, 0)) +
           " bytes into this message: the rest of it is missing";
  }
  if (!row.unreadable.empty())
    return "Some bytes of this message could not be read from the store: they show as spaces";
  return {};
}

}  // namespace

void CRecoveryWizardDlg::OnViewMessage() {
  const int row = g_nClickedItem;
  const tessel::MessageRow* message = m_results.List().Message(row);
  if (message == nullptr) return;
  tessel::SourceFile store;
  if (!store.Open(g_strStoreFile)) {
    WizardMessageBox(("The message cannot be shown: the message store " + g_strStoreFile + " cannot be read.").c_str(),
                     kNoticeStyle);
    return;
  }
  const tessel::recovery::ReadableMessage readable(store, message->record);
  CMessageViewDlg view(readable, {g_strStoreFile, g_strSourceFile}, this);
  view.note = MissingNote(*message, store);
  view.onOpenInMailProgram = [this, row] {
    ShareClickedRow(row);
    OnPreview();
  };
  view.onSaveMessage = [this, row, &view] { SaveRows({row}, &view); };
  view.DoModal();
}
