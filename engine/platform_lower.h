// The system's ANSI lower-casing, which CleanAddress applies to a To value.
// The build picks the side: on Windows the system's own (CharLowerBuffA, in
// engine_win32/platform_lower_win32.cpp); elsewhere Windows-1252, the code page
// of most IncrediMail installations (platform_lower_posix.cpp).
#pragma once

#include <string>

namespace tessel::platform {

// Lower-cases `text` in place, byte by byte in the system's code page.
void AnsiLowerInPlace(std::string& text);

}  // namespace tessel::platform
