#include "app/save_job.h"

#include <windows.h>

#include "app/scan_state.h"
#include "engine/path_join.h"
#include "engine/source_file.h"
#include "export/code_pages.h"
#include "export/contact_formats.h"
#include "export/export_names.h"
#include "export/output_file.h"
#include "export/record_copy.h"

namespace {
using tessel::exporting::Collision;
using tessel::exporting::OutputFile;
using tessel::exporting::RecordCopy;

// The address book's bytes are text of the installation's code page; the
// vCards are UTF-8.
const tessel::exporting::CodePage& SystemCodePage() {
  const tessel::exporting::CodePage* page = tessel::exporting::FindCodePage(static_cast<int>(::GetACP()));
  return page ? *page : *tessel::exporting::FindCodePage(tessel::exporting::kDefaultCodePage);
}

bool Failed(const OutputFile& file, const std::string& reason, SaveOutcome& outcome) {
  outcome.failedFile = file.Path();
  outcome.reason = reason;
  return false;
}

bool WriteMessage(const SaveJob& job, tessel::SourceFile& store, int row, const tessel::MessageRecord& record,
                  SaveOutcome& outcome) {
  OutputFile file;
  std::string error;
  const std::string name = tessel::exporting::MessageFileName(job.prefix, row + 1);
  if (!file.Create(tessel::JoinPath(job.folder, name), Collision::kNumbered, error))
    return Failed(file, file.Cause(), outcome);
  // The file begun for it is removed again.
  if (!store.IsOpen()) return Failed(file, "the message store " + job.storeFile + " cannot be read", outcome);
  const RecordCopy copy = tessel::exporting::CopyMessageRecord(store, record, file);
  if (copy.end == RecordCopy::End::kEndedEarly) ++outcome.endedEarly;
  // Nothing read: the unfinished file is removed, as tessel leaves none.
  if (copy.end == RecordCopy::End::kEndedEarly && copy.copied == 0) return true;
  if (!file.Finish(error)) return Failed(file, file.Cause(), outcome);
  outcome.files.push_back(file.Path());
  if (copy.end == RecordCopy::End::kEndedEarly) return true;
  ++outcome.written;
  if (copy.end == RecordCopy::End::kStoreEnds) ++outcome.cutShort;
  if (!copy.unreadable.empty()) ++outcome.unreadable;
  return true;
}

bool WriteWholeFile(const SaveJob& job, const char* name, const std::string& bytes, SaveOutcome& outcome) {
  OutputFile file;
  std::string error;
  if (!file.Create(tessel::JoinPath(job.folder, name), Collision::kNumbered, error))
    return Failed(file, file.Cause(), outcome);
  file.Write(bytes);
  if (!file.Finish(error)) return Failed(file, file.Cause(), outcome);
  outcome.files.push_back(file.Path());
  ++outcome.written;
  return true;
}

}  // namespace

SaveOutcome RunSaveJob(SaveJob& job, const SaveProgress& progress) {
  SaveOutcome outcome;
  // The store is opened once for all the messages.
  tessel::SourceFile store;
  if (!job.contacts) store.Open(job.storeFile);
  std::string text;
  std::string cards;
  for (size_t index = 0; index < job.rows.size(); ++index) {
    if (job.cancelRequested) {
      outcome.cancelled = true;
      break;
    }
    if (!job.contacts) {
      progress(index, job.messages[index].cells);
      if (!WriteMessage(job, store, job.rows[index], job.messages[index].record, outcome)) return outcome;
      continue;
    }
    const tessel::CellRow& contact = job.contactRows[index].cells;
    progress(index, contact);
    // Wiped records are left out, as `tessel contacts` does.
    if (tessel::exporting::IsBlankContact(contact)) continue;
    tessel::exporting::AppendContactText(text, job.rows[index] + 1, contact);
    tessel::exporting::AppendVCard(cards, contact, SystemCodePage());
  }
  if (job.contacts && !outcome.cancelled && !text.empty()) {
    if (WriteWholeFile(job, tessel::exporting::kContactTextFileName, text, outcome))
      WriteWholeFile(job, tessel::exporting::kContactVCardFileName, cards, outcome);
  }
  return outcome;
}
