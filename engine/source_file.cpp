#include "engine/source_file.h"

#include <sys/stat.h>

#include <cerrno>

namespace tessel {
namespace {

// 64-bit seeks and tells on both C runtimes.
int SeekTo(std::FILE* file, std::int64_t offset, int origin) {
#if defined(_WIN32)
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

std::int64_t TellPosition(std::FILE* file) {
#if defined(_WIN32)
  return _ftelli64(file);
#else
  return static_cast<std::int64_t>(ftello(file));
#endif
}

// The 64-bit forms on Windows: the 32-bit ones fail for files over 2 GiB.
#if defined(_WIN32)
using FileInfo = struct _stat64;
int InfoOfOpenFile(std::FILE* file, FileInfo* info) { return _fstat64(_fileno(file), info); }
int InfoOfPath(const std::string& path, FileInfo* info) { return _stat64(path.c_str(), info); }
#else
using FileInfo = struct stat;
int InfoOfOpenFile(std::FILE* file, FileInfo* info) { return fstat(fileno(file), info); }
int InfoOfPath(const std::string& path, FileInfo* info) { return stat(path.c_str(), info); }
#endif

bool IsRegularFile(const FileInfo& info) { return (info.st_mode & S_IFMT) == S_IFREG; }

}  // namespace

SourceFile::~SourceFile() { Close(); }

bool SourceFile::Open(const std::string& path) {
  Close();
  // "rb" only: the C runtime shares the file for reading and writing with others.
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  FileInfo info{};
  if (InfoOfOpenFile(file, &info) != 0 || !IsRegularFile(info) || SeekTo(file, 0, SEEK_END) != 0) {
    std::fclose(file);
    return false;
  }
  const std::int64_t size = TellPosition(file);
  if (size < 0) {
    std::fclose(file);
    return false;
  }
  // Our callers read in large blocks of their own; a second buffer only copies.
  std::setvbuf(file, nullptr, _IONBF, 0);
  file_ = file;
  size_ = size;
  lastError_ = 0;
  return true;
}

void SourceFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
}

std::size_t SourceFile::ReadAt(std::int64_t offset, void* buffer, std::size_t count) {
  if (file_ == nullptr || offset < 0 || offset >= size_ || count == 0) return 0;
  // Never past the length measured at opening, so every scan sees one file.
  const std::int64_t available = size_ - offset;
  if (static_cast<std::uint64_t>(available) < count) count = static_cast<std::size_t>(available);
  if (SeekTo(file_, offset, SEEK_SET) != 0) {
    lastError_ = errno != 0 ? errno : EIO;
    return 0;
  }
  errno = 0;
  const std::size_t read = std::fread(buffer, 1, count, file_);
  if (read < count && std::ferror(file_)) {
    lastError_ = errno != 0 ? errno : EIO;
    std::clearerr(file_);
  }
  return read;
}

bool FileExists(const std::string& path) {
  FileInfo info{};
  return InfoOfPath(path, &info) == 0 && IsRegularFile(info);
}

}  // namespace tessel
