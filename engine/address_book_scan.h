// Recovering the contacts of an IncrediMail address book (.imb): a 70-byte header
// then fixed 2466-byte contact records, each cut into fields at fixed places.
// Each contact becomes one row of 23 cells, the last contact of the file on top.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/scan_context.h"
#include "engine/source_file.h"

namespace tessel {

constexpr int kContactCellCount = 23;

// The column header of each contact cell, in cell order. Several headers occur
// twice: cells 6 to 14 hold the first group of contact details, 15 to 22 the second.
extern const std::array<const char*, kContactCellCount> kContactColumnHeaders;

// Contact cells by name, in column order.
enum ContactCell {
  kDisplayName = 0,
  kEmail = 1,
  kNameTitle = 2,
  kFirstName = 3,
  kMiddleName = 4,
  kLastName = 5,
  kHomePhone = 6,
  kHomeAddress = 7,
  kHomeCity = 8,
  kHomeState = 9,
  kHomeZip = 10,
  kHomeCountry = 11,
  kHomeFax = 12,
  kMobile = 13,
  kWebPage = 14,
  kWorkPhone = 15,
  kCompany = 16,
  kWorkCity = 17,
  kWorkState = 18,
  kWorkAddress = 19,
  kWorkCountry = 20,
  kJobTitle = 21,
  kWorkFax = 22
};

struct AddressBookResult {
  enum class Status {
    kWalked,     // read to the end of the file
    kNotOpened,  // the file could not be opened: nothing listed
    kReadError,  // a read failed: the walk ended there, rows listed so far stay
  };
  Status status = Status::kWalked;
  int errorCode = 0;             // the C runtime's error code for kReadError
  std::int64_t errorOffset = 0;  // where the failed read started
};

// Lists the contacts of the address book at `path` and sets contactsFile to
// "AddBook.txt" in `folder` (a separator is added only when `folder` lacks one).
// Opens the file into context.openSourceFile and closes it when the walk ends.
// Not stoppable, no progress. The caller reports a kReadError to the user.
AddressBookResult ScanAddressBook(ScanContext& context, const std::string& path, const std::string& folder);

// The walk itself over an open reader (ScanAddressBook's core; tests feed it
// readers that fail).
AddressBookResult WalkAddressBook(ByteReader& reader, RecoveredList& list);

}  // namespace tessel
