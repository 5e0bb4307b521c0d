#include "engine/source_file.h"

namespace tessel {

SourceFile::~SourceFile() { Close(); }

bool SourceFile::Open(const std::string& path) {
  Close();
  std::int64_t size = 0;
  file_ = platform::OpenInputFile(path, size);
  if (file_ == nullptr) return false;
  size_ = size;
  lastError_.store(0);
  return true;
}

void SourceFile::Close() {
  platform::CloseInputFile(file_);
  file_ = nullptr;
  size_ = 0;
}

std::size_t SourceFile::ReadAt(std::int64_t offset, void* buffer, std::size_t count) {
  if (file_ == nullptr || offset < 0 || offset >= size_ || count == 0) return 0;
  // Never past the length measured at opening, so every scan sees one file.
  const std::int64_t available = size_ - offset;
  if (static_cast<std::uint64_t>(available) < count) count = static_cast<std::size_t>(available);
  int error = 0;
  const std::size_t read = platform::ReadInputFile(file_, offset, buffer, count, error);
  if (error != 0) lastError_.store(error);
  return read;
}

bool FileExists(const std::string& path) { return platform::IsRegularFile(path); }

}  // namespace tessel
