// Runs the scan call as the wizard does, for the commands: a message store
// scan whose rows are handed on in small batches as soon as they are final
// (memory stays flat for stores of any size), and an address book walk.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/chosen_file.h"
#include "engine/contact_row.h"
#include "engine/message_row.h"
#include "engine/progress_bar.h"
#include "engine/source_file.h"
#include "recovery/scan.h"

namespace tessel::cli {

// Gets each row, numbered from 1; returns false when it needs no more rows
// (the scan then stops early). The records lie in the chosen storePath.
using MessageRowHandler = std::function<bool(long long number, const MessageRow& row)>;

struct MessageScan {
  long long rows = 0;        // rows handed on
  bool interrupted = false;  // stopped by Ctrl-C or the system (cli/interrupt.h)
  recovery::ScanResult result;
};

// `mode`: the usual or the deep scan.
MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow,
                         ScanMode mode = ScanMode::kUsual);

struct ContactScan {
  std::vector<ContactRow> rows;  // in list order: the last contact of the file first
  recovery::ScanResult result;
};

ContactScan ScanContacts(const ChosenFile& chosen);
// The same over a reader of the book (tests give it readers that fail).
ContactScan ScanContacts(ByteReader& book);

// False when the file cannot be opened or does not look like an address book.
bool LooksLikeAddressBook(const std::string& path);

// Says on standard error what a message store scan could not read, one line
// per unreadable stretch: "read error in 'PATH' at bytes A-B: CAUSE; the
// messages around it are listed". True when there was any.
bool ReportUnreadable(const MessageScan& scan);

// What went wrong in an address book walk, as a sentence; empty when nothing did.
std::string AddressBookProblem(const ContactScan& scan, const std::string& path);

}  // namespace tessel::cli
