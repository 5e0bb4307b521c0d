// The files `tessel contacts` writes. Each takes the contact rows of the list
// (23 cells, as the address book walk fills them) in list order.
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
// not empty, in column order, with the labels of kContactLabels. Values are the
// address book's bytes as they are, trailing spaces removed, line breaks and
// other control characters shown as spaces.
#pragma once

#include <string>
#include <string_view>

#include "cli/rows.h"

namespace tessel::cli {

enum class ContactFormat { kText, kCsv, kVCard };

// A field's value without the trailing spaces the list pads fields with.
std::string_view TrimmedField(std::string_view cell);

// True when every field of the contact is empty once trimmed (a wiped record).
bool IsBlankContact(const Row& cells);

void AppendContactText(std::string& out, long long number, const Row& cells);

// CSV (RFC 4180, CR LF lines, bytes as they are): a header row of kContactLabels,
// then one row of the 23 trimmed fields per contact.
void AppendContactCsvHeader(std::string& out);
void AppendContactCsvRow(std::string& out, const Row& cells);

// One vCard 3.0 (UTF-8, CR LF lines folded at 75 bytes), empty fields left out.
void AppendVCard(std::string& out, const Row& cells);

}  // namespace tessel::cli
