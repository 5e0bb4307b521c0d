// The one thing output files need of the platform: a file made new, in one
// step with the test that nothing of that name exists, so that no file is
// overwritten in the moment between looking and creating. One file per
// platform implements it (new_file_posix.cpp, export_win32/new_file_windows.cpp).
#pragma once

#include <cstdio>
#include <string>

namespace tessel::exporting {

// Opens a new file for writing in binary; nullptr with errno set otherwise
// (EEXIST: something of that name exists). Names are the platform's narrow
// strings (UTF-8 on Linux, the system code page on Windows).
std::FILE* CreateNewFile(const std::string& path);

}  // namespace tessel::exporting
