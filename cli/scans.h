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

namespace tessel::cli {

// The rows a chosen file lists: contacts for an address book, messages otherwise.
ScanMode ModeOf(const ChosenFile& chosen);

// Gets each final row, numbered from 1; returns false when it needs no more
// rows (the scan then stops early).
using MessageRowHandler = std::function<bool(long long number, const Row& cells)>;

struct MessageScan {
  std::string storeFile;     // the store the rows' records lie in
  long long rows = 0;        // rows handed on
  bool interrupted = false;  // stopped by Ctrl-C
};

MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow);

struct ContactScan {
  std::vector<Row> rows;  // in list order: the last contact of the file first
  AddressBookResult result;
};

ContactScan ScanContacts(const ChosenFile& chosen);

// What went wrong in an address book walk, as a sentence; empty when nothing did.
std::string AddressBookProblem(const ContactScan& scan, const std::string& path);

}  // namespace tessel::cli
