// tessel scan: the rows the wizard would list, in list order. With several
// inputs (several paths, or a folder) each file's rows follow the last file's:
// the table repeats for each, tsv rows begin with the file's path, and json
// is an array of {"file", "rows"} objects.
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/format_json.h"
#include "cli/input_check.h"
#include "cli/inputs.h"
#include "cli/row_pipe.h"
#include "cli/row_writer.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_text.h"
#include "recovery/plural.h"
#include "recovery/readable_cells.h"

namespace tessel::cli {

using exporting::CodePage;
using exporting::ParseCodePage;

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

// How one input's rows are written among several.
struct ScanOutput {
  RowFormat format;
  const CodePage& page;
  bool several;
  bool readable;  // message rows with the header cells for people
};

// Writes one row, led by the file's path when tsv lists several files.
// `dateUtc` is given with readable cells only.
void WriteRow(RowWriter& writer, const ScanOutput& output, std::string& out, long long number, const CellRow& cells,
              std::string_view marks, const std::string& path, const std::string* dateUtc = nullptr) {
  const auto write = [&](const CellRow& row) {
    if (dateUtc != nullptr) return writer.WriteReadable(out, number, row, marks, *dateUtc);
    writer.Write(out, number, row, marks);
  };
  if (!output.several || output.format != RowFormat::kTsv) return write(cells);
  CellRow led;
  led.Reserve(cells.size() + 1, path.size() + cells.TextSize());
  led.Set(0, path);
  for (std::size_t i = 0; i < cells.size(); ++i) led.Set(i + 1, cells[i]);
  write(led);
}

// `first` is true until an input has begun, so that a skipped one leaves no trace.
void BeginInput(const ScanOutput& output, std::string& out, const std::string& path, bool& first) {
  const bool wasFirst = first;
  first = false;
  if (!output.several) return;
  if (output.format == RowFormat::kTable) {
    out += (wasFirst ? "" : "\n") + TerminalText(path) + "\n";
  } else if (output.format == RowFormat::kJson) {
    out += wasFirst ? "\n{\"file\": " : ",\n{\"file\": ";
    AppendJsonString(out, path);
    out += ", \"rows\": ";
  }
}

void EndInput(const ScanOutput& output, std::string& out) {
  if (output.several && output.format == RowFormat::kJson) {
    while (!out.empty() && out.back() == '\n') out.pop_back();
    out += "}";
  }
}

int ScanAddressBookRows(const Input& input, const ScanOutput& output, StdoutBuffer& out, bool& first) {
  std::string error;
  if (!CheckReadableFile(input.path(), error)) return Fail(kExitFailure, error);
  if (!input.fromFolder) WarnIfNotAddressBook(input.path());
  const ContactScan scan = ScanContacts(input.file);
  const std::unique_ptr<RowWriter> writer = MakeRowWriter(output.format, ScanMode::kAddressBook, output.page);
  BeginInput(output, out.Text(), input.path(), first);
  writer->Begin(out.Text());
  for (size_t i = 0; i < scan.rows.size(); ++i) {
    WriteRow(*writer, output, out.Text(), static_cast<long long>(i) + 1, scan.rows[i].cells, {}, input.path());
    if (!out.MaybeFlush()) break;
  }
  writer->End(out.Text());
  EndInput(output, out.Text());
  if (output.format == RowFormat::kTable) {
    out.Text() += "\n" + tessel::recovery::Counted(static_cast<long long>(scan.rows.size()), "contact") + " in " +
                  TerminalText(input.path()) + " (last contact of the file first)\n";
  }
  if (!out.Flush()) return Fail(kExitFailure, out.Error());
  if (const std::string problem = AddressBookProblem(scan, input.path()); !problem.empty()) {
    return Fail(kExitFailure, problem);
  }
  return kExitOk;
}

// Unreadable stretches are reported and set `exitCode`, but the next input is still scanned.
int ScanMessageStoreRows(const Input& input, const ScanOutput& output, StdoutBuffer& out, bool& first, int& exitCode) {
  std::string error;
  if (!CheckChosenFile(input.file, error)) {
    return Fail(kExitFailure, error);
  }
  const std::unique_ptr<RowWriter> writer = MakeRowWriter(output.format, input.mode(), output.page);
  TerminalProgress progress(ProgressTerminal(), "scanning");
  // Rows and the bar share the terminal only when stdout is one too.
  if (IsTerminal(stdout)) out.ShareTerminalWith(&progress);
  std::string& text = out.Text();
  BeginInput(output, text, input.path(), first);
  writer->Begin(text);
  CellRow cells;  // the row's cells, their storage reused
  recovery::ReadableCells readable;
  if (output.readable && !readable.Open(input.file.storePath)) {
    return Fail(kExitFailure, "cannot read the store '" + input.file.storePath + "'");
  }
  const auto writeRow = [&](long long number, const MessageRow& row) {
    recovery::MessageCells(row, input.mode(), cells);
    if (output.readable) {
      const std::string dateUtc = readable.Apply(row, cells);
      WriteRow(*writer, output, text, number, cells, RowMarks(row, input.mode()), input.path(), &dateUtc);
    } else {
      WriteRow(*writer, output, text, number, cells, RowMarks(row, input.mode()), input.path());
    }
    return out.MaybeFlush();
  };
  // Reading each message again for people costs about what the scan does: on
  // a second thread the two overlap. Rows for a terminal share it with the
  // bar, so they stay on the scan's thread.
  std::optional<RowPipe> pipe;
  if (output.readable && !IsTerminal(stdout)) pipe.emplace(writeRow);
  const MessageScan scan = ScanMessages(
      input.file, progress,
      [&](long long number, const MessageRow& row) { return pipe ? pipe->Add(number, row) : writeRow(number, row); },
      input.mode());
  if (pipe) pipe->Finish();
  progress.Finish();
  out.ShareTerminalWith(nullptr);
  writer->End(text);
  EndInput(output, text);
  if (output.format == RowFormat::kTable) {
    text += "\n" + tessel::recovery::Counted(scan.rows, "message") + " in " + TerminalText(scan.result.storePath);
    text += input.file.kind == FileKind::kStore ? " (searched the store)\n"
                                                : " (through the index " + TerminalText(input.path()) + ")\n";
    if (scan.result.repeats > 0)
      text += tessel::recovery::Counted(scan.result.repeats, "row") + " naming a record listed before left out\n";
    if (input.deep) text += "deep scan: rows marked * were found only in the store (deleted, or never indexed)\n";
    if (!scan.result.unreadable.empty()) text += "rows marked ! hold bytes that could not be read\n";
  }
  if (!out.Flush()) return Fail(kExitFailure, out.Error());
  if (scan.interrupted) {
    return Fail(kExitStopped, "stopped; " + tessel::recovery::Counted(scan.rows, "row") + " listed before the stop");
  }
  if (ReportUnreadable(scan)) exitCode = kExitFailure;
  return kExitOk;
}

}  // namespace

int RunScan(const CommandLine& line) {
  RowFormat format;
  if (!ParseRowFormat(line.format, format)) {
    return Fail(kExitUsage, "scan: unknown format '" + line.format + "' (use table, tsv or json)");
  }
  std::string error;
  const CodePage* page = ParseCodePage(line.codepage, error);
  if (page == nullptr) return Fail(kExitUsage, "scan: " + error);
  std::vector<Input> inputs;
  bool leftOut = false;
  if (!CollectInputs(line, inputs, leftOut, error)) return Fail(kExitFailure, error);
  // The table is for people: readable cells unless --stored asks for the stored ones.
  const bool readable = line.readable || (format == RowFormat::kTable && !line.stored);
  const ScanOutput output{format, *page, inputs.size() > 1 || inputs.front().fromFolder, readable};

  StdoutBuffer out;
  if (output.several && format == RowFormat::kJson) out.Text() += "[";
  int exitCode = leftOut ? kExitFailure : kExitOk;
  // An input that cannot be read is named and passed over: the others are
  // still listed, and the output stays well formed.
  bool first = true;
  for (const Input& input : inputs) {
    const bool book = input.IsAddressBook();
    const int code = book ? ScanAddressBookRows(input, output, out, first)
                          : ScanMessageStoreRows(input, output, out, first, exitCode);
    if (code == kExitStopped) return code;
    if (code == kExitFailure) exitCode = kExitFailure;
    if (out.Failed()) return exitCode;  // standard output is gone
  }
  if (output.several && format == RowFormat::kJson) out.Text() += "\n]\n";
  if (!out.Flush()) return Fail(kExitFailure, out.Error());
  return exitCode;
}

}  // namespace tessel::cli
