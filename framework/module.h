// The module whose resources (templates, pictures, strings) the program loads.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

// The program's own module: resources are linked into the executable.
inline HINSTANCE ResourceModule() { return ::GetModuleHandleA(nullptr); }

// The folder of the program's executable (UTF-8), without the last backslash;
// empty when the system cannot say.
std::string ProgramFolder();

// A string resource of the program, empty when it is missing.
std::string LoadResourceString(UINT id);

}  // namespace framework
