// The one road to a file's bytes. Every read of a store, index or address book
// goes through a ByteReader: reads at absolute 64-bit offsets that return the
// count actually read, never more than was asked and never past the file's end.
// SourceFile opens a file for reading only, leaving reading and writing to
// others, so IncrediMail may keep its files open while we read them.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/platform_file.h"

namespace tessel {

class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // The file's length in bytes, measured when it was opened (0 when closed).
  virtual std::int64_t Size() const = 0;
  // Reads up to `count` bytes at `offset` into `buffer`; returns the count
  // actually read: fewer at the end of the file, 0 at or past it, on a read
  // error, for a negative offset, or when nothing is open.
  virtual std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) = 0;
  // The C runtime's error code of the last read that failed (not merely hit
  // the end of the file); 0 when no read failed.
  virtual int LastError() const = 0;
  // True when the reader may be read on helper threads ahead of need, by
  // several readers at once: it then gives the same bytes as if read later.
  // Readers that watch when they are read (tests) keep the default.
  virtual bool MayReadAhead() const { return false; }
  // True when a byte of [begin, end) could not be read and was handed out as
  // a NUL byte (by a reader that goes on past bad sectors), once it was read.
  virtual bool IsUnreadable(std::int64_t /*begin*/, std::int64_t /*end*/) const { return false; }
};

class SourceFile final : public ByteReader {
 public:
  SourceFile() = default;
  ~SourceFile() override;
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  // Opens a regular file for reading only (closing what was open). False when
  // it cannot be opened or is not a regular file.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  std::int64_t Size() const override { return size_; }
  // Safe from several threads at once: each read names its own offset.
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override;
  int LastError() const override { return lastError_.load(); }
  bool MayReadAhead() const override { return true; }

 private:
  platform::InputFile* file_ = nullptr;
  std::int64_t size_ = 0;
  std::atomic<int> lastError_{0};
};

// True when a regular file exists at `path`.
bool FileExists(const std::string& path);

}  // namespace tessel
