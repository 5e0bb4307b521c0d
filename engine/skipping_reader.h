// A reader that goes on past a bad sector. A read that fails before the end of
// the file is tried once more; then the rest of it is read piece by piece, in
// 4 KiB pieces aligned to the file, and a piece that still cannot be read is
// handed out as NUL bytes and noted. The scans above it see a whole file and
// find the mail after the damage; the noted ranges say what they did not see.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "engine/source_file.h"
#include "engine/unreadable_range.h"

namespace tessel {

class SkippingReader final : public ByteReader {
 public:
  static constexpr std::int64_t kPiece = 4096;

  explicit SkippingReader(ByteReader& inner) : inner_(inner) {}

  std::int64_t Size() const override { return inner_.Size(); }
  // Safe from several threads at once, as the inner reader's reads are.
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override;
  // The unreadable bytes are handed out as NUL bytes, so no read fails.
  int LastError() const override { return 0; }
  bool MayReadAhead() const override { return inner_.MayReadAhead(); }

  // The ranges noted so far, in file order, adjacent ones joined.
  std::vector<UnreadableRange> Unreadable() const;
  // True once a range is noted: scans of a sound file ask nothing more.
  bool AnyUnreadable() const { return anyUnreadable_.load(std::memory_order_acquire); }
  // True when [begin, end) holds a byte of a noted range.
  bool IsUnreadable(std::int64_t begin, std::int64_t end) const override;
  // Appends the noted bytes within [begin, end), cut to it, in file order.
  void AppendUnreadableIn(std::int64_t begin, std::int64_t end, std::vector<UnreadableRange>& out) const;

 private:
  // Reads [offset, offset + count) after a failed read; returns the bytes handed out.
  std::size_t ReadPieces(std::int64_t offset, char* buffer, std::size_t count);
  void Note(std::int64_t begin, std::int64_t end, int errorCode);

  ByteReader& inner_;
  mutable std::mutex mutex_;
  std::vector<UnreadableRange> ranges_;
  std::atomic<bool> anyUnreadable_{false};
};

}  // namespace tessel
