// A reader over bytes in memory whose reads go wrong at a chosen call, as a
// failing disk or a file cut short meanwhile would. Calls are counted from 0;
// the chosen one fails with EIO having read nothing, or returns half the bytes
// asked for without an error; with `persistent`, every later call does too.
// Never read ahead, so that the calls come in the same order in every run.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/source_file.h"

namespace tessel::testing {

class FaultyReader final : public ByteReader {
 public:
  enum class Fault { kError, kShortCount };
  static constexpr std::int64_t kNever = -1;

  FaultyReader(std::string bytes, std::int64_t faultAt, Fault fault, bool persistent)
      : bytes_(std::move(bytes)), faultAt_(faultAt), fault_(fault), persistent_(persistent) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    const std::int64_t call = calls_++;
    if (offset < 0 || offset >= Size()) return 0;
    const bool faulty = faultAt_ != kNever && (call == faultAt_ || (persistent_ && call > faultAt_));
    if (faulty && fault_ == Fault::kError) {
      error_ = EIO;
      return 0;
    }
    if (faulty) count /= 2;
    return bytes_.copy(static_cast<char*>(buffer), count, static_cast<std::size_t>(offset));
  }
  int LastError() const override { return error_; }

  std::int64_t Calls() const { return calls_; }
  bool Faulted() const { return faultAt_ != kNever && calls_ > faultAt_; }

 private:
  std::string bytes_;
  std::int64_t faultAt_;
  Fault fault_;
  bool persistent_;
  std::int64_t calls_ = 0;
  int error_ = 0;
};

// A disk with bad sectors, read as SourceFile reads one: a read hands out the
// bytes before the first bad one it meets and then fails with EIO.
class BadSectorReader final : public ByteReader {
 public:
  struct Bad {
    std::int64_t begin, end;
  };

  BadSectorReader(std::string bytes, std::vector<Bad> bad) : bytes_(std::move(bytes)), bad_(std::move(bad)) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (offset < 0 || offset >= Size()) return 0;
    std::int64_t end = std::min(offset + static_cast<std::int64_t>(count), Size());
    for (const Bad& bad : bad_) {
      if (bad.begin < end && offset < bad.end) {
        end = std::max(offset, bad.begin);
        error_ = EIO;
      }
    }
    return bytes_.copy(static_cast<char*>(buffer), static_cast<std::size_t>(end - offset),
                       static_cast<std::size_t>(offset));
  }
  int LastError() const override { return error_; }

 private:
  std::string bytes_;
  std::vector<Bad> bad_;
  int error_ = 0;
};

}  // namespace tessel::testing
