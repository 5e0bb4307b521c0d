// The hand cursor that links show, for every window of the program that has links.
#pragma once

#include "win32_base/gdi_handles.h"

namespace framework {

// A copy of the system help viewer's link cursor, or, where that viewer no
// longer carries it, of the system's hand cursor; null when neither loads.
UniqueCursor LoadLinkCursor();

}  // namespace framework
