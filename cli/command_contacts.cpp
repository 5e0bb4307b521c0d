// tessel contacts: the address books' contacts as a text file, CSV or vCards.
#include "cli/commands.h"
#include "export/file_system.h"
#include "cli/input_check.h"
#include "cli/interrupt.h"
#include "cli/inputs.h"
#include "cli/scans.h"
#include "cli/terminal_text.h"
#include "export/contact_formats.h"
#include "export/export_names.h"
#include "recovery/plural.h"

namespace tessel::cli {

using exporting::KindOf;
using exporting::MakeFolders;
using exporting::ParentFolder;
using exporting::PathKind;

using exporting::CodePage;
using exporting::ContactExtension;
using exporting::ContactFormat;
using exporting::ContactsWritten;
using exporting::kContactFileStem;
using exporting::ParseCodePage;
using exporting::ParseContactFormat;
using exporting::WriteContactsFile;

namespace {

// --to names the file, or a folder: the file is then AddBook.txt (.csv, .vcf)
// in it, or with several address books one named after each.
std::string OutputPath(const std::string& to, const Input& book, bool several, ContactFormat format) {
  if (!several && KindOf(to) != PathKind::kFolder) return to;
  return JoinPath(to, (several ? book.name : std::string(kContactFileStem)) + "." + ContactExtension(format));
}

}  // namespace

void WarnIfNotAddressBook(const std::string& path) {
  if (ResolveChosenFile(path).kind == FileKind::kAddressBook || LooksLikeAddressBook(path)) return;
  Warn("warning: '" + path +
       "' does not end in .imb and does not look like an address book; its bytes are read as contacts all the "
       "same");
}

int RunContacts(const CommandLine& line) {
  ContactFormat format;
  // Without --format, a file name that ends in .csv or .vcf says which.
  const std::string ending = line.to.size() > 4 ? line.to.substr(line.to.size() - 4) : std::string();
  const ContactFormat named = ending == ".csv"   ? ContactFormat::kCsv
                              : ending == ".vcf" ? ContactFormat::kVCard
                                                 : ContactFormat::kText;
  if (!ParseContactFormat(line.format, named, format)) {
    return Fail(kExitUsage, "contacts: unknown format '" + line.format + "' (use txt, csv or vcf)");
  }
  if (line.to.empty()) return Fail(kExitUsage, "contacts: --to FILE is required");
  std::string error;
  const CodePage* page = ParseCodePage(line.codepage, error);
  if (page == nullptr) return Fail(kExitUsage, "contacts: " + error);

  std::vector<Input> inputs;
  bool leftOut = false;
  if (!CollectInputs(line, inputs, leftOut, error)) return Fail(kExitFailure, error);
  std::vector<Input> books;
  for (Input input : inputs) {
    // A file named on the command line is an address book here, whatever its name.
    if (!input.fromFolder) input.file = ResolveChosenFile(input.path(), ChosenAs::kAddressBook);
    if (input.IsAddressBook()) books.push_back(input);
  }
  if (books.empty()) return Fail(kExitFailure, "no address book (.imb) among the inputs");
  const bool several = books.size() > 1 || inputs.front().fromFolder;
  MakeNamesUnique(books);
  for (const Input& book : books) {
    if (!CheckReadableFile(book.path(), error)) return Fail(kExitFailure, error);
  }

  // A stop request lets the file being written be finished or removed; the
  // files written before it stay.
  std::atomic<int> stop{0};
  const StopOnInterrupt interrupt(stop);
  int exitCode = leftOut ? kExitFailure : kExitOk;
  for (const Input& book : books) {
    if (!book.fromFolder) WarnIfNotAddressBook(book.path());
    const ContactScan scan = ScanContacts(book.file);
    if (stop.load() != 0)
      return Fail(kExitStopped, "stopped before the contacts of '" + book.path() + "' were written");
    if (scan.result.end == recovery::ScanEnd::kFileNotOpened) {
      return Fail(kExitFailure, AddressBookProblem(scan, book.path()));
    }
    const std::string path = OutputPath(line.to, book, several, format);
    const std::string folder = ParentFolder(path);
    if (!folder.empty() && !MakeFolders(folder, error)) return Fail(kExitFailure, error);
    ContactsWritten written;
    if (!WriteContactsFile(scan.rows, path, format, *page, written, error, &stop)) {
      return Fail(stop.load() != 0 ? kExitStopped : kExitFailure, error);
    }
    std::printf("wrote %s to %s", tessel::recovery::Counted(written.contacts, "contact").c_str(),
                TerminalText(path).c_str());
    if (written.blank > 0)
      std::printf(" (%s left out)", tessel::recovery::Counted(written.blank, "blank record").c_str());
    std::printf("\n");
    if (const std::string problem = AddressBookProblem(scan, book.path()); !problem.empty()) {
      exitCode = Fail(kExitFailure, problem);
    }
  }
  return exitCode;
}

}  // namespace tessel::cli
