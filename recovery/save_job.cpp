#include "recovery/save_job.h"

#include "engine/path_join.h"
#include "engine/source_file.h"
#include "export/contact_formats.h"
#include "export/export_names.h"
#include "export/output_file.h"
#include "export/record_copy.h"

namespace tessel::recovery {
namespace {
using exporting::Collision;
using exporting::OutputFile;
using exporting::RecordCopy;

bool Failed(const OutputFile& file, const std::string& reason, SaveOutcome& outcome) {
  outcome.failedFile = file.Path();
  outcome.reason = reason;
  return false;
}

bool WriteMessage(const SaveJob& job, SourceFile& store, int row, const MessageRecord& record, SaveOutcome& outcome) {
  OutputFile file;
  std::string error;
  const std::string name = exporting::MessageFileName(job.prefix, row + 1);
  if (!file.Create(JoinPath(job.folder, name), Collision::kNumbered, error)) return Failed(file, file.Cause(), outcome);
  // The file begun for it is removed again.
  if (!store.IsOpen()) return Failed(file, "the message store " + job.storeFile + " cannot be read", outcome);
  const RecordCopy copy = exporting::CopyMessageRecord(store, record, file);
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
  if (!file.Create(JoinPath(job.folder, name), Collision::kNumbered, error)) return Failed(file, file.Cause(), outcome);
  file.Write(bytes);
  if (!file.Finish(error)) return Failed(file, file.Cause(), outcome);
  outcome.files.push_back(file.Path());
  ++outcome.written;
  return true;
}

}  // namespace

SaveOutcome RunSaveJob(SaveJob& job, const exporting::CodePage& contactsPage, const SaveProgress& progress) {
  SaveOutcome outcome;
  // The store is opened once for all the messages.
  SourceFile store;
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
    const CellRow& contact = job.contactRows[index].cells;
    progress(index, contact);
    // Wiped records are left out, as `tessel contacts` does.
    if (exporting::IsBlankContact(contact)) {
      ++outcome.blankLeftOut;
      continue;
    }
    exporting::AppendContactText(text, job.rows[index] + 1, contact);
    exporting::AppendVCard(cards, contact, contactsPage);
  }
  if (job.contacts && !outcome.cancelled && !text.empty()) {
    if (WriteWholeFile(job, exporting::kContactTextFileName, text, outcome))
      WriteWholeFile(job, exporting::kContactVCardFileName, cards, outcome);
  }
  return outcome;
}

}  // namespace tessel::recovery
