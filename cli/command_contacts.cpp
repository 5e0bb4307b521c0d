// tessel contacts: the address book's contacts as a text file, CSV or vCards.
#include <filesystem>

#include "cli/commands.h"
#include "cli/contact_formats.h"
#include "cli/input_check.h"
#include "cli/output_file.h"
#include "cli/scans.h"

namespace tessel::cli {
namespace {

bool ParseContactFormat(const std::string& name, ContactFormat& format) {
  if (name.empty() || name == "txt") {
    format = ContactFormat::kText;
  } else if (name == "csv") {
    format = ContactFormat::kCsv;
  } else if (name == "vcf") {
    format = ContactFormat::kVCard;
  } else {
    return false;
  }
  return true;
}

// --to may name a folder: the file is then AddBook.txt (.csv, .vcf) in it.
std::string OutputPath(const std::string& to, ContactFormat format) {
  std::error_code code;
  if (!std::filesystem::is_directory(to, code)) return to;
  const char* name = format == ContactFormat::kCsv     ? "AddBook.csv"
                     : format == ContactFormat::kVCard ? "AddBook.vcf"
                                                       : "AddBook.txt";
  return (std::filesystem::path(to) / name).string();
}

}  // namespace

int RunContacts(const CommandLine& line) {
  ContactFormat format;
  if (!ParseContactFormat(line.format, format)) {
    return Fail(kExitUsage, "contacts: unknown format '" + line.format + "' (use txt, csv or vcf)");
  }
  if (line.to.empty()) return Fail(kExitUsage, "contacts: --to FILE is required");
  std::string error;
  const ChosenFile chosen = ResolveChosenFile(line.path, ChosenAs::kAddressBook);
  if (!CheckChosenFile(chosen, error)) return Fail(kExitFailure, error);

  const ContactScan scan = ScanContacts(chosen);
  if (scan.result.status == AddressBookResult::Status::kNotOpened) {
    return Fail(kExitFailure, AddressBookProblem(scan, line.path));
  }
  const std::string path = OutputPath(line.to, format);
  OutputFile file;
  if (!file.Create(path, error)) return Fail(kExitFailure, error);
  std::string text;
  if (format == ContactFormat::kCsv) AppendContactCsvHeader(text);
  long long written = 0, blank = 0;
  for (size_t i = 0; i < scan.rows.size(); ++i) {
    const Row& cells = scan.rows[i];
    if (IsBlankContact(cells)) {
      ++blank;
      continue;
    }
    switch (format) {
      case ContactFormat::kText:
        AppendContactText(text, static_cast<long long>(i + 1), cells);
        break;
      case ContactFormat::kCsv:
        AppendContactCsvRow(text, cells);
        break;
      case ContactFormat::kVCard:
        AppendVCard(text, cells);
        break;
    }
    ++written;
  }
  if (!file.Write(text) || !file.Close(error)) {
    file.Discard();
    return Fail(kExitFailure, error);
  }
  std::printf("wrote %lld contact%s to %s", written, written == 1 ? "" : "s", path.c_str());
  if (blank > 0) std::printf(" (%lld blank record%s left out)", blank, blank == 1 ? "" : "s");
  std::printf("\n");
  if (const std::string problem = AddressBookProblem(scan, line.path); !problem.empty()) {
    return Fail(kExitFailure, problem);
  }
  return kExitOk;
}

}  // namespace tessel::cli
