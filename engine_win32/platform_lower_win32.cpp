// The system's own ANSI lower-casing, in the code page of the installation.
#include <windows.h>

#include "engine/platform_lower.h"

namespace tessel::platform {

void AnsiLowerInPlace(std::string& text) {
  if (!text.empty()) ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace tessel::platform
