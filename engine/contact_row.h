// The cells of a contact row, and what each is called: in the wizard's column
// headers (as the list shows them: the second group of details repeats the
// first's headers) and in files read by other programs (where the second group
// is the business one).
#pragma once

#include <array>
#include <string_view>

#include "engine/cell_row.h"

namespace tessel {

constexpr int kContactCellCount = 23;

enum ContactCell : int {
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
  kWorkFax = 22,
};

// A contact as the address book walk hands it on: its 23 cells, the fields'
// bytes as stored (a field ends in one space where its NUL was).
struct ContactRow {
  CellRow cells;
};

struct ContactColumn {
  std::string_view header;  // the list's column header
  std::string_view label;   // unique, for csv headers and text files
};

inline constexpr std::array<ContactColumn, kContactCellCount> kContactColumns = {{
    {"Display Name", "Display Name"},
    {"Email", "Email"},
    {"Title", "Title"},
    {"First Name", "First Name"},
    {"Middle Name", "Middle Name"},
    {"Last Name", "Last Name"},
    {"Phone", "Phone"},
    {"Address", "Address"},
    {"City", "City"},
    {"State / Province", "State / Province"},
    {"Zip Code", "Zip Code"},
    {"Country", "Country"},
    {"Fax", "Fax"},
    {"Mobile", "Mobile"},
    {"Web Page", "Web Page"},
    {"Phone", "Business Phone"},
    {"Company Name", "Company Name"},
    {"City", "Business City"},
    {"State / Province", "Business State / Province"},
    {"Address", "Business Address"},
    {"Country", "Business Country"},
    {"Job Title", "Job Title"},
    {"Fax", "Business Fax"},
}};

}  // namespace tessel
