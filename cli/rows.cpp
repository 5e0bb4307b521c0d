#include "cli/rows.h"

#include <algorithm>

namespace tessel::cli {

const char* const kContactLabels[kContactCellCount] = {"Display Name",
                                                       "Email",
                                                       "Title",
                                                       "First Name",
                                                       "Middle Name",
                                                       "Last Name",
                                                       "Phone",
                                                       "Address",
                                                       "City",
                                                       "State / Province",
                                                       "Zip Code",
                                                       "Country",
                                                       "Fax",
                                                       "Mobile",
                                                       "Web Page",
                                                       "Business Phone",
                                                       "Company Name",
                                                       "Business City",
                                                       "Business State / Province",
                                                       "Business Address",
                                                       "Business Country",
                                                       "Job Title",
                                                       "Business Fax"};

void ContactCells(const CellRow& row, Row& cells) {
  cells.resize(std::max(row.size(), static_cast<size_t>(kContactCellCount)));
  for (size_t i = 0; i < cells.size(); ++i) cells[i].assign(row.cell(i));
}

}  // namespace tessel::cli
