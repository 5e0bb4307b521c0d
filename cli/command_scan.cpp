// tessel scan: the rows the wizard would list, in list order.
#include <unistd.h>

#include <memory>

#include "cli/commands.h"
#include "cli/format_table.h"
#include "cli/input_check.h"
#include "cli/row_writer.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"

namespace tessel::cli {
namespace {

bool ParseRowFormat(const std::string& name, RowFormat& format) {
  if (name.empty() || name == "table") {
    format = RowFormat::kTable;
  } else if (name == "tsv") {
    format = RowFormat::kTsv;
  } else if (name == "json") {
    format = RowFormat::kJson;
  } else {
    return false;
  }
  return true;
}

std::string Plural(long long count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

int ScanAddressBookRows(const CommandLine& line, const ChosenFile& chosen, RowWriter& writer, bool table) {
  std::string error;
  if (!CheckChosenFile(chosen, error)) return Fail(kExitFailure, error);
  const ContactScan scan = ScanContacts(chosen);
  StdoutBuffer out;
  writer.Begin(out.Text());
  for (size_t i = 0; i < scan.rows.size(); ++i) {
    writer.Write(out.Text(), static_cast<long long>(i + 1), scan.rows[i]);
    out.MaybeFlush();
  }
  writer.End(out.Text());
  if (table) {
    out.Text() += "\n" + Plural(static_cast<long long>(scan.rows.size()), "contact") + " in " + line.path +
                  " (last contact of the file first)\n";
  }
  if (!out.Flush()) return Fail(kExitFailure, "cannot write the rows to standard output");
  if (const std::string problem = AddressBookProblem(scan, line.path); !problem.empty()) {
    return Fail(kExitFailure, problem);
  }
  return kExitOk;
}

int ScanMessageStoreRows(const CommandLine& line, const ChosenFile& chosen, RowWriter& writer, bool table) {
  std::string error;
  if (!CheckChosenFile(chosen, error)) return Fail(kExitFailure, error);
  TerminalProgress progress(ProgressTerminal());
  // Rows and the bar share the terminal only when stdout is one too.
  StdoutBuffer out(::isatty(STDOUT_FILENO) ? &progress : nullptr);
  writer.Begin(out.Text());
  const MessageScan scan = ScanMessages(chosen, progress, [&](long long number, const Row& cells) {
    writer.Write(out.Text(), number, cells);
    return out.MaybeFlush();
  });
  progress.Clear();
  writer.End(out.Text());
  if (table) {
    out.Text() += "\n" + Plural(scan.rows, "message") + " in " + scan.storeFile;
    out.Text() +=
        chosen.kind == FileKind::kStore ? " (searched the store)\n" : " (through the index " + line.path + ")\n";
  }
  if (!out.Flush()) return Fail(kExitFailure, "cannot write the rows to standard output");
  if (scan.interrupted) {
    return Fail(kExitStopped, "stopped; " + Plural(scan.rows, "row") + " listed before the stop");
  }
  return kExitOk;
}

}  // namespace

int RunScan(const CommandLine& line) {
  RowFormat format;
  if (!ParseRowFormat(line.format, format)) {
    return Fail(kExitUsage, "scan: unknown format '" + line.format + "' (use table, tsv or json)");
  }
  const ChosenAs as = !line.mode                             ? ChosenAs::kByName
                      : *line.mode == ScanMode::kAddressBook ? ChosenAs::kAddressBook
                                                             : ChosenAs::kMessageStore;
  const ChosenFile chosen = ResolveChosenFile(line.path, as);
  const ScanMode mode = ModeOf(chosen);
  const std::unique_ptr<RowWriter> writer = MakeRowWriter(format, mode);
  const bool table = format == RowFormat::kTable;
  return mode == ScanMode::kAddressBook ? ScanAddressBookRows(line, chosen, *writer, table)
                                        : ScanMessageStoreRows(line, chosen, *writer, table);
}

}  // namespace tessel::cli
