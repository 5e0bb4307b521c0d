// Files on Windows, through the C runtime: _wfopen("rb") leaves reading and
// writing to others, so IncrediMail may keep its files open while we read
// them. The wide forms take our UTF-8 paths whatever the system code page.
// The 64-bit seek and stat forms, since the 32-bit ones fail past 2 GiB.
// The runtime has no positional read, so a seek and its read hold a lock.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

#include "engine/platform_file.h"
#include "win32_base/wide_path.h"

namespace tessel::platform {

struct InputFile {
  std::FILE* file;
  std::mutex reading;  // one seek-and-read at a time
};

InputFile* OpenInputFile(const std::string& path, std::int64_t& size) {
  std::FILE* file = ::_wfopen(WidePath(path).c_str(), L"rb");
  if (file == nullptr) return nullptr;
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG) {
    std::fclose(file);
    return nullptr;
  }
  size = static_cast<std::int64_t>(info.st_size);
  // Our callers read in large blocks of their own; a second buffer only copies.
  std::setvbuf(file, nullptr, _IONBF, 0);
  return new InputFile{file, {}};
}

void CloseInputFile(InputFile* file) {
  if (file == nullptr) return;
  std::fclose(file->file);
  delete file;
}

std::size_t ReadInputFile(InputFile* file, std::int64_t offset, void* buffer, std::size_t count, int& error) {
  std::lock_guard<std::mutex> lock(file->reading);
  if (_fseeki64(file->file, offset, SEEK_SET) != 0) {
    error = errno != 0 ? errno : EIO;
    return 0;
  }
  errno = 0;
  const std::size_t read = std::fread(buffer, 1, count, file->file);
  if (read < count && std::ferror(file->file)) {
    error = errno != 0 ? errno : EIO;
    std::clearerr(file->file);
  }
  return read;
}

bool IsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return ::_wstat64(WidePath(path).c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}

char PathSeparator() { return '\\'; }

std::string FindFileIgnoringCase(const std::string&, const std::string&) {
  // Windows' file systems ignore case: a file that differs only in case is
  // the one the caller already looked for.
  return {};
}

}  // namespace tessel::platform
