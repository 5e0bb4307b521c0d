#include "cli/rows.h"

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

}  // namespace tessel::cli
