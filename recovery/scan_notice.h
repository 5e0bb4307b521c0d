// What the wizard tells the user when a scan ends: the count under the list,
// and a notice when the scan found nothing, could not open a file or could
// not read all of it. Apart from the window, so that it is tested natively.
#pragma once

#include <string>

#include "recovery/scan.h"

namespace tessel::recovery {

struct ScanEndText {
  std::string count;    // "23 messages found", or "Stopped: 5 found before the stop"
  std::string notice;   // empty when there is nothing to say; may hold <br>
  bool failed = false;  // the notice says something went wrong (the error look)
};

// `chosenPath`: the file the user chose.
ScanEndText DescribeScanEnd(const ScanResult& result, ScanMode mode, const std::string& chosenPath);

}  // namespace tessel::recovery
