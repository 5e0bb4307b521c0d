// Runs the engine as the wizard does, for the commands: a message store scan
// whose rows are handed on as soon as they are final (memory stays flat for
// stores of any size), and an address book walk.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/rows.h"
#include "engine/address_book_scan.h"
#include "engine/chosen_file.h"
#include "engine/recovered_list.h"
#include "engine/source_file.h"

namespace tessel::cli {

// The mode a resolved file is scanned in.
ScanMode ModeOf(const ChosenFile& chosen);

// Gets each final row, numbered from 1; returns false when it needs no more
// rows (the scan then stops early). The records lie in the chosen storePath.
using MessageRowHandler = std::function<bool(long long number, const Row& cells)>;

struct MessageScan {
  std::string storeFile;     // the store the rows' records lie in
  long long rows = 0;        // rows handed on
  bool interrupted = false;  // stopped by Ctrl-C
};

// With `deep`, the deep scan runs instead of the usual one, and rows have a
// seventh cell: "index" or "store".
MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow,
                         bool deep = false);

struct ContactScan {
  std::vector<CellRow> rows;  // in list order: the last contact of the file first
  AddressBookResult result;
};

ContactScan ScanContacts(const ChosenFile& chosen);
// The same over a reader of the book (tests give it readers that fail).
ContactScan ScanContacts(ByteReader& book);

// False when the file does not look like an address book: too short for one
// contact, or its first record is not fields of text padded with NUL bytes
// (a message store has no NUL bytes; an index's fields are not text).
bool LooksLikeAddressBook(const std::string& path);

// What went wrong in an address book walk, as a sentence; empty when nothing did.
std::string AddressBookProblem(const ContactScan& scan, const std::string& path);

}  // namespace tessel::cli
