// tessel export: each listed message's record, byte for byte, as .eml files or
// as an mbox file; with several stores, one mbox or one folder of .eml files
// per store, named after it, and the address books' contacts beside them. A
// folder goes to the identity export (command_export_folder.cpp).
#include <cstdio>
#include <mutex>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/interrupt.h"
#include "cli/inputs.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_text.h"
#include "engine/message_extraction.h"
#include "engine/source_file.h"
#include "export/contact_formats.h"
#include "export/export_names.h"
#include "export/file_system.h"
#include "export/message_files.h"
#include "export/output_file.h"
#include "export/record_copy.h"
#include "recovery/plural.h"

namespace tessel::cli {

using exporting::AppendMboxMessage;
using exporting::CodePage;
using exporting::Collision;
using exporting::ContactExtension;
using exporting::ContactFormat;
using exporting::ContactsWritten;
using exporting::CopyMessageRecord;
using exporting::IsValidPrefix;
using exporting::KindOf;
using exporting::MakeFolders;
using exporting::MessageFileName;
using exporting::OutputFile;
using exporting::ParseCodePage;
using exporting::ParseContactFormat;
using exporting::PathKind;
using exporting::RecordCopy;
using exporting::RecordCopyNote;
using exporting::WriteContactsFile;
using exporting::WriteEmlFile;

namespace {

struct ExportOptions {
  bool mbox = false;
  bool crlf = false;
  std::string prefix;
  RowSelection selection;
};

struct StoreExport {
  long long written = 0;            // messages written with every byte the store has of them
  long long cutShort = 0;           // of them, records the store ends inside
  long long withUnreadable = 0;     // of them, records with bytes that could not be read (NUL bytes in the copy)
  long long endedEarly = 0;         // records not copied whole: the store gave out before its size at opening
  std::string firstName, lastName;  // of the .eml files, for the summary
  bool interrupted = false;
  bool unreadable = false;  // the scan met bytes it could not read (and said so)

  bool AllCopied() const { return withUnreadable == 0 && endedEarly == 0; }
};

// Counts a copy that did not fail to be written.
void Count(const RecordCopy& copy, StoreExport& result) {
  if (copy.end == RecordCopy::End::kEndedEarly) {
    ++result.endedEarly;
    return;
  }
  ++result.written;
  if (copy.end == RecordCopy::End::kStoreEnds) ++result.cutShort;
  if (!copy.unreadable.empty()) ++result.withUnreadable;
}

// Whether rows after `number` can still be selected (else the scan may stop).
bool MoreRowsWanted(const RowSelection& selection, long long number) {
  return selection.Highest() == 0 || number < selection.Highest();
}

// The rows of a store up to `upTo`: whether they exist is known before anything is written.
MessageScan CountRows(const Input& input, long long upTo) {
  TerminalProgress progress(ProgressTerminal(), "checking rows");
  return ScanMessages(
      input.file, progress, [&](long long number, const MessageRow&) { return number < upTo; }, input.mode());
}

// Exports one store: .eml files into the folder `target`, or one mbox file at
// `target`. False with `error` set when a file cannot be written; only the
// files written completely stay, and `result` counts only those.
bool ExportStore(const Input& input, const std::string& target, const ExportOptions& options, const std::string& label,
                 StoreExport& result, std::string& error) {
  // Every record is copied from the store opened here, once.
  SourceFile store;
  if (!store.Open(input.file.storePath)) {
    error = "cannot read the store '" + input.file.storePath + "'";
    return false;
  }
  OutputFile mboxFile;
  if (options.mbox && !mboxFile.Create(target, Collision::kRefuse, error)) return false;
  TerminalProgress progress(ProgressTerminal(), label);
  bool failed = false;
  const MessageScan scan = ScanMessages(
      input.file, progress,
      [&](long long number, const MessageRow& row) {
        if (!options.selection.Contains(number)) return MoreRowsWanted(options.selection, number);
        const std::string name = MessageFileName(options.prefix, number);
        RecordCopy copy;
        failed = options.mbox ? !AppendMboxMessage(mboxFile, options.crlf, store, row.record, copy)
                              : !WriteEmlFile(JoinPath(target, name), store, row.record, copy, error);
        if (failed) return false;
        if (const std::string note = RecordCopyNote("row " + std::to_string(number), copy); !note.empty()) {
          const std::unique_lock<std::mutex> hidden = progress.Hide();
          Warn(note);
        }
        Count(copy, result);
        if (!options.mbox && copy.Kept() && result.firstName.empty()) result.firstName = name;
        if (!options.mbox && copy.Kept()) result.lastName = name;
        return MoreRowsWanted(options.selection, number);
      },
      input.mode());
  progress.Finish();
  // The mbox is one file: when any of it failed, none of it stays.
  if (options.mbox && !mboxFile.Finish(error)) {
    failed = true;
    result = StoreExport{};
  }
  result.interrupted = scan.interrupted;
  result.unreadable = ReportUnreadable(scan);
  return !failed;
}

void PrintSummary(const StoreExport& result, const std::string& where) {
  const long long written = result.written;
  std::string line = "wrote " + tessel::recovery::Counted(written, "message") + " to " + where;
  if (written > 1 && !result.firstName.empty()) {
    line += " (" + result.firstName + " ... " + result.lastName + ")";
  } else if (written == 1 && !result.firstName.empty()) {
    line += " (" + result.firstName + ")";
  }
  if (result.cutShort > 0) line += "; " + std::to_string(result.cutShort) + " cut short where the store ends";
  if (result.withUnreadable > 0)
    line +=
        "; " + std::to_string(result.withUnreadable) + " with bytes that could not be read (NUL bytes in their place)";
  if (result.endedEarly > 0) {
    line += "; " + std::to_string(result.endedEarly) +
            " not copied whole: the store gave out before the size it had when opened";
  }
  std::printf("%s\n", TerminalText(line).c_str());
}

}  // namespace

int RunExport(const CommandLine& line) {
  ExportOptions options;
  options.mbox = line.format == "mbox";
  options.crlf = line.crlf;
  options.prefix = line.prefix;
  if (!line.format.empty() && line.format != "eml" && !options.mbox) {
    return Fail(kExitUsage, "export: unknown format '" + line.format + "' (use eml or mbox)");
  }
  if (line.crlf && !options.mbox)
    return Fail(kExitUsage, "export: --crlf is for --format mbox (.eml files are always as stored)");
  if (line.to.empty()) return Fail(kExitUsage, "export: --to DIR is required");
  if (!IsValidPrefix(line.prefix)) {
    return Fail(kExitUsage, "export: the prefix may not hold / \\ | * : ? < > ' \" or control characters");
  }
  ContactFormat contactsFormat;
  if (!ParseContactFormat(line.contactsFormat, ContactFormat::kVCard, contactsFormat)) {
    return Fail(kExitUsage, "export: unknown contacts format '" + line.contactsFormat + "' (use txt, csv or vcf)");
  }
  std::string error;
  const CodePage* page = ParseCodePage(line.codepage, error);
  if (page == nullptr) return Fail(kExitUsage, "export: " + error);
  if (!line.rows.empty()) {
    const std::optional<RowSelection> parsed = RowSelection::Parse(line.rows, error);
    if (!parsed) return Fail(kExitUsage, "export: " + error);
    options.selection = *parsed;
  }

  if (line.paths.size() == 1 && KindOf(line.paths.front()) == PathKind::kFolder) return RunFolderExport(line);

  std::vector<Input> inputs;
  bool leftOut = false;
  if (!CollectInputs(line, inputs, leftOut, error)) return Fail(kExitFailure, error);
  const bool one = inputs.size() == 1 && !inputs.front().fromFolder;
  if (one && inputs.front().IsAddressBook()) {
    return Fail(kExitUsage, "export: '" + inputs.front().path() + "' is an address book; use tessel contacts");
  }
  if (!one && !line.rows.empty()) return Fail(kExitUsage, "export: --rows picks rows of one store; give one PATH");
  std::vector<Input> stores = InputsOf(inputs, false);
  std::vector<Input> books = InputsOf(inputs, true);
  MakeNamesUnique(stores);
  MakeNamesUnique(books);
  for (const Input& store : stores) {
    if (!CheckChosenFile(store.file, error)) return Fail(kExitFailure, error);
  }
  for (const Input& book : books) {
    if (!CheckReadableFile(book.path(), error)) return Fail(kExitFailure, error);
  }
  // A row that does not exist is found before anything is created.
  if (one && options.selection.LastNamed() > 0) {
    const MessageScan counted = CountRows(stores.front(), options.selection.LastNamed());
    if (counted.interrupted) return Fail(kExitStopped, "stopped before anything was written");
    if (const long long missing = options.selection.FirstMissing(counted.rows); missing > 0) {
      return Fail(kExitFailure, "row " + std::to_string(missing) + " does not exist (the scan found " +
                                    std::to_string(counted.rows) + " rows); nothing written");
    }
  }
  if (!MakeFolders(line.to, error)) return Fail(kExitFailure, error);

  // From here a stop request ends the export between files: every file is
  // finished or removed. The stores' scans take the requests over while they run.
  std::atomic<int> stop{0};
  const StopOnInterrupt interrupt(stop);
  bool unreadable = false;
  for (const Input& store : stores) {
    // One store keeps the prefix's names; several are named after themselves.
    std::string target = line.to;
    if (options.mbox) {
      // An empty prefix would name the file ".mbox", hidden on most systems.
      const std::string name = one ? (line.prefix.empty() ? std::string("messages") : line.prefix) : store.name;
      target = JoinPath(line.to, name + ".mbox");
    } else if (!one) {
      target = JoinPath(line.to, store.name);
      if (!MakeFolders(target, error)) return Fail(kExitFailure, error);
    }
    StoreExport result;
    const bool written =
        ExportStore(store, target, options, one ? "exporting" : "exporting " + store.name, result, error);
    // A removed mbox holds nothing to sum up.
    if (written || !options.mbox) PrintSummary(result, target);
    if (!written) return Fail(kExitFailure, error);
    if (result.interrupted) return Fail(kExitStopped, "stopped; the messages before the stop are written");
    if (result.unreadable || !result.AllCopied()) unreadable = true;
  }
  int exitCode = unreadable || leftOut ? kExitFailure : kExitOk;
  for (const Input& book : books) {
    const ContactScan scan = ScanContacts(book.file);
    const std::string path = JoinPath(line.to, book.name + "." + ContactExtension(contactsFormat));
    ContactsWritten written;
    if (!WriteContactsFile(scan.rows, path, contactsFormat, *page, written, error, &stop)) {
      return Fail(stop.load() != 0 ? kExitStopped : kExitFailure, error);
    }
    std::printf("wrote %s to %s\n", tessel::recovery::Counted(written.contacts, "contact").c_str(),
                TerminalText(path).c_str());
    if (const std::string problem = AddressBookProblem(scan, book.path()); !problem.empty()) {
      exitCode = Fail(kExitFailure, problem);
    }
  }
  return exitCode;
}

}  // namespace tessel::cli
