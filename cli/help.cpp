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
  tessel scan     [--format table|tsv|json] [--store|--addressbook|--raw] [--deep] [--readable|--stored] PATH...
  tessel export   PATH... --to DIR [--format eml|mbox] [--crlf] [--rows LIST] ...
  tessel contacts PATH... --to FILE|DIR [--format txt|csv|vcf] [--codepage N]
  tessel show     [--raw] [--deep] [--text | --part K [--to FILE]] PATH ROW
  tessel COMMAND --help
  tessel --version

A PATH may be a folder, such as an identity's folder: it is searched, with
its subfolders, for IncrediMail files (each index with its store, each store
without an index, each address book). One command moves a whole identity:
  tessel export IDENTITY-FOLDER --to OUT --format mbox

Rows are numbered from 1 in list order, as `tessel scan` shows them.
tessel never overwrites a file: it stops with an error when a file it would
write exists already.

Exit status: 0 done, 1 a file could not be read or written or a row does not
exist, 2 a wrong command line, 130 stopped by Ctrl-C, SIGTERM or SIGHUP (what
was found before the stop is written; a file cut by the stop is removed).
)";

constexpr char kScan[] =
    R"(tessel scan [--format table|tsv|json] [--store|--addressbook|--raw] [--deep] [--codepage N]
            [--readable|--stored] PATH...

Lists what the wizard lists for PATH, in the same order. A path ending in
".imb" (any case) is an address book, anything else a message store: a path
whose last three characters are "imm" is searched as a store, any other is
read as an index, with the store beside it (the text after the last "."
replaced by "imm"). --store and --addressbook override the extension;
--raw searches the file's bytes as a store whatever its name (a store saved
as FILE0001.CHK or Inbox.imm.bak).

--deep lists every message of the store once, in store order: the records the
index gives and every message found in the store's bytes outside them (deleted,
or never indexed), messages starting at their header blocks, and the bytes no
message claims as rows of their own, so that every byte of the store is in one
row. Rows get a seventh cell, "index", "store" or "unclaimed"; the table marks
store-only rows with "*" and unclaimed bytes with "?".

A row whose record holds bytes that could not be read (a failing disk) gets an
eighth cell, "unreadable" ("!" in the table); the scan goes on after them,
names them on stderr and exits with 1.

Message rows have 6 cells: From, Subject, To, Date, and the message's offset
and length in bytes in the store. Contact rows have 23 cells: Display Name,
Email, Title, First Name, Middle Name, Last Name, Phone, Address, City,
State / Province, Zip Code, Country, Fax, Mobile, Web Page, and the business
Phone, Company Name, City, State / Province, Address, Country, Job Title, Fax;
the address book's last contact comes first. Cells are the file's bytes as
they are (a field shorter than its slot ends in one space).

--readable gives a message's From, Subject, To and Date as a person reads
them, from its whole header block (however many relay lines come first):
encoded words decoded and every charset read as UTF-8, From and To as
"Name <address>" (the address alone when there is no name; several joined by
", "), the Subject unfolded, the Date as "YYYY-MM-DD HH:MM +ZZZZ" in the
message's own zone, or as written when it cannot be read; an absent field is
empty. In json each row is then {"cells": [...], "date_utc": "...Z"}, with
the date in UTC for sorting (null when unread). The table shows these cells
unless --stored asks for the stored ones; tsv and json keep the stored cells
unless --readable is given. Address book rows are the same either way.

Formats:
  table  for people (default): aligned columns fitted to the terminal (by
         the columns each character takes), long cells cut with "...", the
         readable header cells, offset and length shown
  tsv    exact: one line per row, cells joined by TAB, no header line; in a
         cell backslash is written \\, TAB \t, LF \n and CR \r
  json   an array of rows, each an array of its cells as strings, in UTF-8:
         a contact's bytes read in the address book's code page (--codepage,
         1252 unless given), a message's kept where they are UTF-8 and read
         in that code page where not

Several paths, or a folder: each file's rows follow the last file's. The
table repeats for each file under its path, tsv rows begin with a cell
holding the file's path, and json is an array of {"file": PATH, "rows": [...]}.

A progress bar is drawn on stderr when it is a terminal.
)";

constexpr char kExport[] =
    R"(tessel export PATH... --to DIR [--format eml|mbox] [--crlf] [--raw] [--deep]
              [--prefix MailRec] [--rows LIST] [--contacts txt|csv|vcf] [--codepage N]

Scans the message store (or index) PATH and writes each listed message into
DIR (created when missing):
  eml    one file per message, the record byte for byte, named PREFIX and
         the row number: MailRec0001.eml (default)
  mbox   one file PREFIX.mbox (MailRec.mbox) in the mboxrd form: a line
         "From SENDER DATE" before each message (the Return-Path or From
         address, else MAILER-DAEMON; the Date, else the first Received
         date, else 1970, in UTC), and one more ">" before every line that
         begins with "From ", ">From " and so on. Line ends are LF, as mbox
         readers expect; --crlf keeps the stored CR LF.
--rows picks rows by their number: 3   1,4,7   10-20   40- (to the last row);
a row that does not exist stops the export before anything is written.
--raw searches PATH's bytes as a store whatever its name. --deep exports what
tessel scan --deep lists: deleted and unindexed messages too.
The prefix may not contain / \ | * : ? < > ' or ".

A folder (an identity's, searched with its subfolders) is exported whole:
each store read by the deep scan, every message once. The messages its index
lists go to NAME.mbox, those found only in the store (deleted, or never
indexed) to "NAME (found only in the store).mbox"; a store without an index
puts all of its messages in NAME.mbox. With eml, folders of those names hold
the .eml files. Address books go to NAME.vcf and NAME.csv (--codepage as for
tessel contacts). NAME is the file's path in the folder ("Mail - Inbox"),
safe as a file name on Windows too and unique. "Recovery report.txt" in DIR,
also printed, gives each input's counts (listed by the index, found only in
the store, cut short, unreadable ranges) and files, and what was left out.
DIR may not lie inside the folder, nor hold a file of an output's name (give
a new or empty DIR). Entries that cannot be read, an index whose store is
missing and bytes no message claims are named, and the exit status is 1; a
folder reached again through a link is not searched twice.
Several paths: one mbox per store named after it (Inbox.mbox), or with eml
one folder of .eml files per store (Inbox/MailRec0001.eml), and each address
book's contacts beside them as NAME.vcf (--contacts txt|csv|vcf).
An existing file is never overwritten: the export stops there with an error.
A file that cannot be written completely (a full disk) is removed, and the
summary counts only the files written. A record that runs past the end of a
damaged store is written as far as the store goes, and said so on stderr.
)";

constexpr char kContacts[] =
    R"(tessel contacts PATH... --to FILE|DIR [--format txt|csv|vcf] [--codepage N]

Walks the address book PATH and writes its contacts, in list order, into the
new file FILE (when FILE is a folder: AddBook.txt, AddBook.csv or AddBook.vcf
in it; missing folders are created). Trailing spaces are removed from every
field and wiped records (no field at all) are left out. A PATH that does not
end in .imb is read as an address book all the same, with a warning when it
does not look like one. With several address books (several paths, or a
folder), --to is a folder and each book's file is named after it.
  txt  the "AddBook.txt" layout (default): for each contact a line
       "Contact N" (N: its row in tessel scan), then a line "Label: value"
       for every field that is not empty, in column order, then an empty
       line. Lines end in CR LF; values are the address book's bytes, with
       control characters shown as spaces. The labels are the column names,
       the business group's prefixed with "Business" (Business Phone,
       Business City, ...); Company Name and Job Title keep theirs.
  csv  a header row with those labels, then one row of 23 fields per contact
       (RFC 4180, CR LF, UTF-8); a field that a spreadsheet would run as a
       formula (beginning with = @ TAB or CR, or with + or - and more than
       digits, spaces and +-()./) is quoted behind an apostrophe: "'=1+1"
  vcf  vCard 3.0, UTF-8, one card per contact, empty fields left out
csv and vcf read the address book's bytes in its Windows code page and write
them as UTF-8: --codepage 1252 (the default; most installations), 1250 to
1258, 874, or 65001 for a book that holds UTF-8.
)";

constexpr char kShow[] =
    R"(tessel show [--raw] [--deep] [--text | --part K [--to FILE]] PATH ROW

Writes the record of message row ROW (as tessel scan numbers it) of the store
or index PATH to standard output, byte for byte. --raw searches PATH's bytes
as a store whatever its name; --deep numbers rows as scan --deep does.
A record that runs past the end of a damaged store is written as far as the
store goes, and said so on stderr.

--text shows the message for a person, with no mail program: its From, To,
Cc, Date and Subject decoded, the text of its body (the plain text part, or
an HTML-only body as text: paragraphs and line breaks kept, links as
"text <address>"), and a numbered list of its attachments with their names
and sizes (an attached message, as in a bounce, is one of them).
--part K writes attachment K of that list decoded, to standard output or to
the new file --to FILE (never overwritten).
)";

}  // namespace

std::string VersionText() {
  return std::string("tessel ") + TESSEL_VERSION + " (Oxbrim Tessel IncrediMail, command line)\n";
}

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
    case Command::kVersion:
    case Command::kHelp:
      break;
  }
  return kOverview;
}

}  // namespace tessel::cli
