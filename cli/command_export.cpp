// tessel export: each listed message's record, byte for byte, as .eml files or
// as one mbox file.
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/mbox_format.h"
#include "cli/output_file.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "engine/message_extraction.h"

namespace tessel::cli {
namespace {

// Characters a file-name prefix may not hold (the wizard refuses them too).
constexpr std::string_view kForbiddenInPrefix = "/\\|*:?<>'\"";

bool IsValidPrefix(const std::string& prefix) {
  for (const char c : prefix) {
    if (static_cast<unsigned char>(c) < 0x20 || kForbiddenInPrefix.find(c) != std::string_view::npos) return false;
  }
  return true;
}

// "MailRec0007.eml": the row number, at least four digits so names sort.
std::string EmlName(const std::string& prefix, long long row) {
  char number[24];
  std::snprintf(number, sizeof number, "%04lld", row);
  return prefix + number + ".eml";
}

std::string PathIn(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

bool MakeFolder(const std::string& folder, std::string& error) {
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (std::filesystem::is_directory(folder, code)) return true;
  error = "cannot create the folder '" + folder + "'" + (code ? ": " + code.message() : "");
  return false;
}

// Copies one record into a new .eml file; false with `error` set on failure.
bool WriteEml(const std::string& path, ByteReader& store, const Row& cells, std::string& error) {
  OutputFile file;
  if (!file.Create(path, error)) return false;
  const std::int64_t copied =
      CopyRecord(store, ParseDecimalCell(cells[kOffsetCell]), ParseDecimalCell(cells[kLengthCell]),
                 [&](const char* bytes, std::size_t count) {
                   return file.Write({bytes, count});
                 });
  if (copied < 0) {  // a write failed: Close says which
    file.Close(error);
    file.Discard();
    return false;
  }
  return file.Close(error);
}

// Appends one record to the mbox file, quoted.
bool AppendMbox(OutputFile& mbox, ByteReader& store, const Row& cells, std::string& error) {
  std::string text = MboxFromLine(cells[kFromCell]);
  MboxQuoter quoter;
  const std::int64_t copied =
      CopyRecord(store, ParseDecimalCell(cells[kOffsetCell]), ParseDecimalCell(cells[kLengthCell]),
                 [&](const char* bytes, std::size_t count) {
                   quoter.Append(text, {bytes, count});
                   const bool written = mbox.Write(text);
                   text.clear();
                   return written;
                 });
  quoter.Finish(text);
  if (copied < 0 || !mbox.Write(text)) {  // a write failed: Close says which
    mbox.Close(error);
    return false;
  }
  return true;
}

// Whether rows after `number` can still be selected (else the scan may stop).
bool MoreRowsWanted(const RowSelection& selection, long long number) {
  return selection.Highest() == 0 || number < selection.Highest();
}

void PrintSummary(long long written, const std::string& where, const std::string& firstName,
                  const std::string& lastName) {
  const char* plural = written == 1 ? "" : "s";
  if (written > 1 && !firstName.empty()) {
    std::printf("wrote %lld messages to %s (%s ... %s)\n", written, where.c_str(), firstName.c_str(), lastName.c_str());
  } else if (written == 1 && !firstName.empty()) {
    std::printf("wrote 1 message to %s (%s)\n", where.c_str(), firstName.c_str());
  } else {
    std::printf("wrote %lld message%s to %s\n", written, plural, where.c_str());
  }
}

}  // namespace

int RunExport(const CommandLine& line) {
  const bool mbox = line.format == "mbox";
  if (!line.format.empty() && line.format != "eml" && !mbox) {
    return Fail(kExitUsage, "export: unknown format '" + line.format + "' (use eml or mbox)");
  }
  if (line.to.empty()) return Fail(kExitUsage, "export: --to DIR is required");
  if (!IsValidPrefix(line.prefix)) {
    return Fail(kExitUsage, "export: the prefix may not hold / \\ | * : ? < > ' \" or control characters");
  }
  std::string error;
  RowSelection selection;
  if (!line.rows.empty()) {
    const std::optional<RowSelection> parsed = RowSelection::Parse(line.rows, error);
    if (!parsed) return Fail(kExitUsage, "export: " + error);
    selection = *parsed;
  }
  const ChosenFile chosen = ResolveChosenFile(line.path);
  if (chosen.kind == FileKind::kAddressBook) {
    return Fail(kExitUsage, "export: '" + line.path + "' is an address book; use tessel contacts");
  }
  if (!CheckChosenFile(chosen, error)) return Fail(kExitFailure, error);
  // Every record is copied from the store opened here, once.
  SourceFile store;
  if (!store.Open(chosen.storePath)) return Fail(kExitFailure, "cannot read the store '" + chosen.storePath + "'");
  if (!MakeFolder(line.to, error)) return Fail(kExitFailure, error);

  OutputFile mboxFile;
  // An empty prefix would name the file ".mbox", hidden on most systems.
  const std::string mboxPath = PathIn(line.to, (line.prefix.empty() ? std::string("messages") : line.prefix) + ".mbox");
  if (mbox && !mboxFile.Create(mboxPath, error)) return Fail(kExitFailure, error);

  TerminalProgress progress(ProgressTerminal());
  long long written = 0;
  std::string firstName, lastName;  // of the .eml files, for the summary
  bool failed = false;
  const MessageScan scan = ScanMessages(chosen, progress, [&](long long number, const Row& cells) {
    if (!selection.Contains(number)) return MoreRowsWanted(selection, number);
    const std::string name = EmlName(line.prefix, number);
    failed = mbox ? !AppendMbox(mboxFile, store, cells, error) : !WriteEml(PathIn(line.to, name), store, cells, error);
    if (failed) return false;
    ++written;
    if (!mbox && firstName.empty()) firstName = name;
    if (!mbox) lastName = name;
    return MoreRowsWanted(selection, number);
  });
  progress.Clear();
  if (mbox && !failed && !mboxFile.Close(error)) failed = true;

  PrintSummary(written, mbox ? mboxPath : line.to, firstName, lastName);
  if (failed) return Fail(kExitFailure, error);
  if (scan.interrupted) return Fail(kExitStopped, "stopped; the messages before the stop are written");
  if (selection.Highest() > scan.rows) {
    return Fail(kExitFailure, "row " + std::to_string(selection.Highest()) + " does not exist (the scan found " +
                                  std::to_string(scan.rows) + " rows)");
  }
  return kExitOk;
}

}  // namespace tessel::cli
