// What the engine needs of the operating system's files, and nothing more: an
// input opened for reading only (others may go on reading and writing it),
// read at 64-bit offsets, and the path separator. Each platform has its own
// implementation (platform_file_posix.cpp, engine_win32/platform_file_win32.cpp); CMake
// builds the one that fits, so the portable code never asks which it runs on.
// Paths are UTF-8 on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessel::platform {

// An open input file; only the platform's implementation looks inside.
struct InputFile;

// Opens a regular file for reading only. Null when it cannot be opened or is
// not a regular file; otherwise `size` is its length.
InputFile* OpenInputFile(const std::string& path, std::int64_t& size);
void CloseInputFile(InputFile* file);

// Reads up to `count` bytes at `offset`, which lies inside the file; returns
// the count read, fewer only at the end of the file or on a read error (then
// `error` is the C runtime's code). Several threads may read one file at once:
// each read names its own offset.
std::size_t ReadInputFile(InputFile* file, std::int64_t offset, void* buffer, std::size_t count, int& error);

// True when a regular file exists at `path`.
bool IsRegularFile(const std::string& path);

// The name of the regular file in `folder` (empty: the current folder) whose
// name equals `name` but for letter case, the first in name order; empty when
// there is none. Listing a folder this way keeps the heavy std::filesystem out
// of the Windows program, whose file systems ignore case anyway.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// The separator this platform joins a folder and a name with. Both "/" and
// "\" end a folder on every platform, as the Windows program's paths do.
char PathSeparator();

}  // namespace tessel::platform
