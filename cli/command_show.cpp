// tessel show: one message's record, byte for byte, on stdout.
#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/inputs.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "engine/source_file.h"
#include "export/output_file.h"
#include "export/record_copy.h"

namespace tessel::cli {

using exporting::CopyMessageRecord;
using exporting::OutputFile;
using exporting::RecordCopy;
using exporting::RecordCopyNote;

int RunShow(const CommandLine& line) {
  std::string error;
  const std::optional<RowSelection> parsed = RowSelection::Parse(line.row, error);
  if (!parsed || line.row.find_first_not_of("0123456789") != std::string::npos) {
    return Fail(kExitUsage, "show: ROW must be one row number from 1, as tessel scan numbers them");
  }
  const long long wanted = parsed->Highest();
  const ChosenFile chosen = ResolveChosenFile(line.paths.front(), ChosenAsFor(line));
  if (chosen.kind == FileKind::kAddressBook) {
    return Fail(kExitUsage, "show: '" + chosen.path + "' is an address book; use tessel scan or tessel contacts");
  }
  if (!CheckChosenFile(chosen, error)) return Fail(kExitFailure, error);

  TerminalProgress progress(ProgressTerminal(), "looking for row " + line.row);
  std::optional<MessageRecord> found;
  const MessageScan scan = ScanMessages(
      chosen, progress,
      [&](long long number, const MessageRow& row) {
        if (number != wanted) return true;
        found = row.record;
        return false;
      },
      line.deep ? ScanMode::kDeep : ScanMode::kUsual);
  progress.Finish();
  if (!found) {
    if (scan.interrupted) return Fail(kExitStopped, "stopped before row " + line.row);
    return Fail(kExitFailure,
                "row " + line.row + " does not exist (the scan found " + std::to_string(scan.rows) + " rows)");
  }
  SourceFile store;
  if (!store.Open(chosen.storePath)) return Fail(kExitFailure, "cannot read the store '" + chosen.storePath + "'");
  OutputFile out;
  out.OpenStandardOutput();
  const RecordCopy copy = CopyMessageRecord(store, *found, out);
  if (!out.Finish(error)) return Fail(kExitFailure, error);
  if (const std::string note = RecordCopyNote("row " + std::to_string(wanted), copy); !note.empty()) Warn(note);
  // A record cut short where the store ends is all the store has; anything else missing fails.
  const bool allRead = copy.Kept() && copy.unreadable.empty();
  return ReportUnreadable(scan) || !allRead ? kExitFailure : kExitOk;
}

}  // namespace tessel::cli
