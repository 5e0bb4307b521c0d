// Joining a folder and a name, the one way every program over the engine
// builds a path in a folder: the platform's separator goes between them only
// when the folder does not already end in one ("/" or "\", on every platform,
// as the Windows program's paths do). An empty folder gets one too, as the
// Windows program's paths are built ("\Identities\" from no application path).
#pragma once

#include <string>
#include <string_view>

namespace tessel {

std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tessel
