#include "cli/commands.h"

namespace tessel::cli {
namespace {

constexpr char kOverview[] =
    R"(tessel - recover the messages and contacts of IncrediMail files

Reads a damaged IncrediMail message store (.imm), its index (.imh) or an
address book (.imb) without ever writing to it, and lists or exports what it
finds: through the index, and by searching the store for messages the index
no longer lists.

Usage:
  tessel scan     [--format table|tsv|json] [--store|--addressbook] PATH
  tessel export   PATH --to DIR [--format eml|mbox] [--prefix MailRec] [--rows LIST]
  tessel contacts PATH --to FILE [--format txt|csv|vcf]
  tessel show     PATH ROW
  tessel COMMAND --help

Rows are numbered from 1 in list order, as `tessel scan` shows them.
tessel never overwrites a file: it stops with an error when a file it would
write exists already.

Exit status: 0 done, 1 a file could not be read or written or a row does not
exist, 2 a wrong command line, 130 stopped by Ctrl-C (what was found before
the stop is written).
)";

constexpr char kScan[] =
    R"(tessel scan [--format table|tsv|json] [--store|--addressbook] PATH

Lists what the wizard lists for PATH, in the same order. A path ending in
".imb" (any case) is an address book, anything else a message store: a path
whose last three characters are "imm" is searched as a store, any other is
read as an index, with the store beside it (the text after the last "."
replaced by "imm"). --store and --addressbook override the extension.

Message rows have 6 cells: From, Subject, To, Date, and the message's offset
and length in bytes in the store. Contact rows have 23 cells: Display Name,
Email, Title, First Name, Middle Name, Last Name, Phone, Address, City,
State / Province, Zip Code, Country, Fax, Mobile, Web Page, and the business
Phone, Company Name, City, State / Province, Address, Country, Job Title, Fax;
the address book's last contact comes first. Cells are the file's bytes as
they are (a field shorter than its slot ends in one space).

Formats:
  table  for people (default): aligned columns fitted to the terminal, long
         cells cut with "...", offset and length shown
  tsv    exact: one line per row, cells joined by TAB, no header line; in a
         cell backslash is written \\, TAB \t, LF \n and CR \r
  json   an array of rows, each an array of its cells as strings; bytes that
         are not valid UTF-8 are read as Windows-1252

A progress bar is drawn on stderr when it is a terminal.
)";

constexpr char kExport[] =
    R"(tessel export PATH --to DIR [--format eml|mbox] [--prefix MailRec] [--rows LIST]

Scans the message store (or index) PATH and writes each listed message's
record byte for byte into DIR (created when missing):
  eml    one file per message, PREFIX and the row number: MailRec0001.eml (default)
  mbox   one file PREFIX.mbox (MailRec.mbox) in the mboxrd form: a "From "
         line before each message, and one more ">" before every line that
         begins with "From ", ">From " and so on
--rows picks rows by their number: 3   1,4,7   10-20   40- (to the last row).
The prefix may not contain / \ | * : ? < > ' or ".
An existing file is never overwritten: the export stops there with an error.
)";

constexpr char kContacts[] =
    R"(tessel contacts PATH --to FILE [--format txt|csv|vcf]

Walks the address book PATH and writes its contacts, in list order, into the
new file FILE (when FILE is a folder: AddBook.txt, AddBook.csv or AddBook.vcf
in it). Trailing spaces are removed from every field and wiped records (no
field at all) are left out.
  txt  the "AddBook.txt" layout (default): for each contact a line
       "Contact N" (N: its row in tessel scan), then a line "Label: value"
       for every field that is not empty, in column order, then an empty
       line. Lines end in CR LF; values are the address book's bytes, with
       control characters shown as spaces. The labels are the column names,
       the business group's prefixed with "Business" (Business Phone,
       Business City, ...); Company Name and Job Title keep theirs.
  csv  a header row with those labels, then one row of 23 fields per contact
       (RFC 4180, CR LF, the address book's bytes)
  vcf  vCard 3.0, UTF-8 (bytes that are not UTF-8 read as Windows-1252),
       one card per contact, empty fields left out
)";

constexpr char kShow[] =
    R"(tessel show PATH ROW

Writes the record of message row ROW (as tessel scan numbers it) of the store
or index PATH to standard output, byte for byte.
)";

}  // namespace

std::string HelpText(Command topic) {
  switch (topic) {
    case Command::kScan:
      return kScan;
    case Command::kExport:
      return kExport;
    case Command::kContacts:
      return kContacts;
    case Command::kShow:
      return kShow;
    case Command::kHelp:
      break;
  }
  return kOverview;
}

}  // namespace tessel::cli
