// What output files need of the platform: a file made new, in one step with
// the test that nothing of that name exists, so that no file is overwritten in
// the moment between looking and creating, and a file emptied or made. One
// file per platform implements them (new_file_posix.cpp,
// export_win32/new_file_win32.cpp); file_system.h removes files.
#pragma once

#include <cstdio>
#include <string>

namespace tessel::exporting {

// Opens a new file for writing in binary; nullptr with errno set otherwise
// (EEXIST: something of that name exists). Paths are UTF-8 on every platform.
std::FILE* CreateNewFile(const std::string& path);

// Opens a file for writing in binary, emptied, or made when there is none;
// nullptr with errno set otherwise.
std::FILE* CreateEmptiedFile(const std::string& path);

}  // namespace tessel::exporting
