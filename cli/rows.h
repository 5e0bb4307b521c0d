// Rows as the command line hands them on: the cells of one list row, in the
// list's column order.
#pragma once

#include <string>
#include <vector>

#include "engine/address_book_scan.h"
#include "engine/memory_list.h"
#include "engine/message_row.h"

namespace tessel::cli {

using Row = std::vector<std::string>;

enum class ScanMode { kMessageStore, kAddressBook };

inline int CellCount(ScanMode mode) { return mode == ScanMode::kAddressBook ? kContactCellCount : kMessageCellCount; }

// Contact column labels that tell the list's repeated headers apart (the
// second group of details is the business one), for files read by other programs.
extern const char* const kContactLabels[kContactCellCount];

// A contact of the list as the writers take it: every contact cell, those the
// book did not give empty. Fills `cells`, whose strings serve row after row.
void ContactCells(const CellRow& row, Row& cells);

// Contact cells by name (the list's column order).
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

}  // namespace tessel::cli
