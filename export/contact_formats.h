// The contacts files of `tessel contacts`, `tessel export` and the wizard's
// Save. Each takes the contact rows of the list (23 cells, as the address book
// walk fills them; cells a row lacks read as empty) in list order.
//
// The contacts text file ("AddBook.txt", our own layout), one block per contact:
//
//   Contact 3<CR LF>
//   Display Name: Anna Berger<CR LF>
//   Email: anna.berger@example.org<CR LF>
//   Phone: +43 316 555 0101<CR LF>
//   <CR LF>
//
// The number is the contact's row in `tessel scan` (the last contact of the
// address book first). A line "Label: value" follows for every field that is
// not empty, in column order, with the labels of kContactColumns. Values are the
// address book's bytes as they are, trailing spaces removed, line breaks and
// other control characters shown as spaces.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include <vector>

#include "engine/address_book_scan.h"
#include "engine/cell_row.h"
#include "engine/contact_row.h"
#include "export/code_pages.h"

namespace tessel::exporting {

enum class ContactFormat { kText, kCsv, kVCard };

// "txt", "csv", "vcf"; `fallback` for an empty name. False for anything else.
bool ParseContactFormat(const std::string& name, ContactFormat fallback, ContactFormat& format);
// The file name extension of the format, without the dot.
const char* ContactExtension(ContactFormat format);

struct ContactsWritten {
  long long contacts = 0;
  long long blank = 0;  // wiped records left out
};

// Writes the contacts of `rows` (list order) into the new file `path`: txt with
// the stored bytes, csv and vcf in UTF-8 read from `page`. False with `error`
// set, and no file left behind, when it cannot be written, or when
// `stopRequested` (if given) is set before the last contact is written.
bool WriteContactsFile(const std::vector<ContactRow>& rows, const std::string& path, ContactFormat format,
                       const CodePage& page, ContactsWritten& written, std::string& error,
                       const std::atomic<int>* stopRequested = nullptr);

// A field's value without the trailing spaces the list pads fields with.
std::string_view TrimmedField(std::string_view cell);

// True when every field of the contact is empty once trimmed (a wiped record).
bool IsBlankContact(const CellRow& cells);

void AppendContactText(std::string& out, long long number, const CellRow& cells);

// CSV (RFC 4180, CR LF lines, UTF-8 read from the address book's code page): a header row of kContactColumns' labels,
// then one row of the 23 trimmed fields per contact. A field that a spreadsheet
// would run as a formula (one that begins with "=", "@", TAB or CR, or with "+"
// or "-" followed by anything but digits, spaces and "+-()./") is quoted and
// begins with an apostrophe; phone numbers stay as they are.
void AppendContactCsvHeader(std::string& out);
void AppendContactCsvRow(std::string& out, const CellRow& cells, const CodePage& page);

// One vCard 3.0 (UTF-8 read from the address book's code page, CR LF lines
// folded at 75 bytes, never inside a character), empty fields left out.
void AppendVCard(std::string& out, const CellRow& cells, const CodePage& page);

}  // namespace tessel::exporting
