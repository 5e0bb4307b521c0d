// tessel show: one message's record, byte for byte, on stdout.
#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "engine/message_extraction.h"

namespace tessel::cli {

int RunShow(const CommandLine& line) {
  std::string error;
  const std::optional<RowSelection> parsed = RowSelection::Parse(line.row, error);
  if (!parsed || line.row.find_first_not_of("0123456789") != std::string::npos) {
    return Fail(kExitUsage, "show: ROW must be one row number from 1, as tessel scan numbers them");
  }
  const long long wanted = parsed->Highest();
  const std::string& path = line.paths.front();
  if (!line.raw && line.mode.value_or(ModeForPath(path)) == ScanMode::kAddressBook) {
    return Fail(kExitUsage, "show: '" + path + "' is an address book; use tessel scan or tessel contacts");
  }
  if (!(line.raw ? CheckReadableFile(path, error) : CheckMessageStoreInput(path, error))) {
    return Fail(kExitFailure, error);
  }

  TerminalProgress progress(ProgressTerminal(), "looking for row " + line.row);
  std::optional<Row> found;
  std::string store;
  const MessageScan scan = ScanMessages(path, line.raw, line.deep, progress,
                                        [&](long long number, const Row& cells, const std::string& storeFile) {
                                          if (number != wanted) return true;
                                          found = cells;
                                          store = storeFile;
                                          return false;
                                        });
  progress.Finish();
  if (!found) {
    if (scan.interrupted) return Fail(kExitStopped, "stopped before row " + line.row);
    return Fail(kExitFailure,
                "row " + line.row + " does not exist (the scan found " + std::to_string(scan.rows) + " rows)");
  }
  const std::int64_t copied =
      CopyRecord(store, ParseDecimalCell((*found)[kOffsetCell]), ParseDecimalCell((*found)[kLengthCell]),
                 [](const char* bytes, std::size_t count) { return std::fwrite(bytes, 1, count, stdout) == count; });
  if (std::fflush(stdout) != 0 || copied < 0) {
    return Fail(kExitFailure, "cannot copy row " + line.row + " from '" + store + "' to standard output");
  }
  return kExitOk;
}

}  // namespace tessel::cli
