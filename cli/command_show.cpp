// tessel show: one message's record, byte for byte, on stdout; or for a
// person (--text), or one of its attachments decoded (--part).
#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/input_check.h"
#include "cli/inputs.h"
#include "cli/row_selection.h"
#include "cli/scans.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_text.h"
#include "engine/source_file.h"
#include "export/output_file.h"
#include "export/record_copy.h"
#include "recovery/readable_message.h"

namespace tessel::cli {

using exporting::CopyMessageRecord;
using exporting::OutputFile;
using exporting::RecordCopy;
using exporting::RecordCopyNote;

namespace {

std::string MessageForPeople(const recovery::ReadableMessage& message) {
  const mail::ReadableHeader& header = message.Header();
  const mail::MessageText& text = message.Text();
  std::string out;
  const auto line = [&](const char* name, const std::string& value) {
    if (!value.empty()) out += std::string(name) + ": " + value + "\n";
  };
  line("From", header.from);
  line("To", header.to);
  line("Cc", header.cc);
  line("Date", header.date);
  line("Subject", header.subject);
  out += "\n";
  out += text.body;
  if (!text.body.empty() && text.body.back() != '\n') out += "\n";
  if (!text.attachments.empty()) {
    out += "\nAttachments (tessel show ... --part K writes one):\n";
    for (std::size_t i = 0; i < text.attachments.size(); ++i) {
      out += "  " + std::to_string(i + 1) + ". " + text.attachments[i].name + " (" +
             std::to_string(text.attachments[i].size) + " bytes)\n";
    }
  }
  return out;
}

int ShowForPeople(const CommandLine& line, ByteReader& store, const MessageRecord& record, long long row) {
  const recovery::ReadableMessage message(store, record);
  if (message.CutToLimit()) Warn("row " + std::to_string(row) + " is read as its first 256 MiB");
  OutputFile out;
  std::string error;
  if (line.text) {
    out.OpenStandardOutput();
    out.Write(TerminalLines(MessageForPeople(message)));
    return out.Finish(error) ? kExitOk : Fail(kExitFailure, error);
  }
  const bool number =
      !line.part.empty() && line.part.size() <= 6 && line.part.find_first_not_of("0123456789") == std::string::npos;
  const std::size_t part = number ? std::stoul(line.part) : 0;
  const std::size_t count = message.Text().attachments.size();
  if (part == 0 || part > count) {
    return Fail(kExitFailure, "row " + std::to_string(row) + " has " + std::to_string(count) +
                                  " attachments; --part takes a number from 1 (tessel show --text lists them)");
  }
  if (line.to.empty()) {
    out.OpenStandardOutput();
  } else if (!out.Create(line.to, exporting::Collision::kRefuse, error)) {
    return Fail(kExitFailure, error);
  }
  out.Write(message.AttachmentBytes(part - 1));
  return out.Finish(error) ? kExitOk : Fail(kExitFailure, error);
}

}  // namespace

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
  if (line.text || !line.part.empty()) {
    const int code = ShowForPeople(line, store, *found, wanted);
    return code != kExitOk ? code : ReportUnreadable(scan) ? kExitFailure : kExitOk;
  }
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
