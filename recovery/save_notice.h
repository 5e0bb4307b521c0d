// The words at a save's end, apart from the window so that they are tested
// natively: what was written where, what was lost and why.
#pragma once

#include <string>

#include "recovery/save_job.h"

namespace tessel::recovery {

// The notice (rich text); `folderLink` is the folder as the notice shows it.
std::string DescribeSaveEnd(const SaveOutcome& outcome, const std::string& folderLink);
// Said after it when the list's search hides `hidden` of the checked rows
// (which Save writes all the same); empty when none.
std::string DescribeHiddenChecked(int hidden, bool contacts);

}  // namespace tessel::recovery
