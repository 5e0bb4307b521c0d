// tessel show: one message's record, byte for byte, on stdout.
#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/inputs.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "engine/message_extraction.h"
#include "engine/source_file.h"

namespace tessel::cli {

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
  std::optional<Row> found;
  const MessageScan scan = ScanMessages(chosen, progress, [&](long long number, const Row& cells) {
    if (number != wanted) return true;
    found = cells;
    return false;
  });
  progress.Finish();
  if (!found) {
    if (scan.interrupted) return Fail(kExitStopped, "stopped before row " + line.row);
    return Fail(kExitFailure,
                "row " + line.row + " does not exist (the scan found " + std::to_string(scan.rows) + " rows)");
  }
  SourceFile store;
  const std::int64_t copied =
      store.Open(chosen.storePath)
          ? CopyRecord(
                store, ParseDecimalCell((*found)[kOffsetCell]), ParseDecimalCell((*found)[kLengthCell]),
                [](const char* bytes, std::size_t count) { return std::fwrite(bytes, 1, count, stdout) == count; })
          : -1;
  if (std::fflush(stdout) != 0 || copied < 0) {
    return Fail(kExitFailure, "cannot copy row " + line.row + " from '" + chosen.storePath + "' to standard output");
  }
  return kExitOk;
}

}  // namespace tessel::cli
