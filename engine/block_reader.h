// Large blocks of a file behind the small windows of the store and index
// searches: each byte is read from the file once, searched in memory with
// memmem, and kept a little while for the look back over a message's header
// lines. Memory stays at one block (plus at most one raw message's first bytes)
// whatever the file's size.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/source_file.h"

namespace tessel {

class BlockReader {
 public:
  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 20;
  // Bytes kept before a search position when a new block is read: a header block
  // reaches at most 65536 bytes back from its boundary, plus the byte before it.
  static constexpr std::size_t kKeepBehind = 65536 + 1;
  static constexpr std::int64_t kNone = -1;
  static constexpr std::int64_t kStopped = -2;

  BlockReader(ByteReader& reader, std::size_t blockSize = kDefaultBlockSize);

  // The file's length; lowered when a read comes back short (the file shrank).
  std::int64_t Size() const { return size_; }

  // The bytes [begin, end) clipped to the file, valid until the next call. A
  // request beyond the block moves the block forward to `begin`.
  std::string_view Bytes(std::int64_t begin, std::int64_t end);
  // The same, but a request outside the block is read aside and the block stays:
  // for looks back, and for reads far apart that would waste a whole block.
  std::string_view Peek(std::int64_t begin, std::int64_t end);

  // The block from `from` on, with what it holds before `from` (at least the
  // kept bytes, or all from the file's start): `bytes` starts at file position
  // `begin`. Empty when `from` is at or past the end, or when `stop` was found
  // set before a block was read (then `stopped` is true). Valid until the next call.
  struct Window {
    std::string_view bytes;
    std::int64_t begin = 0;
    bool stopped = false;
  };
  Window Ahead(std::int64_t from, const std::atomic<int>* stop);

  // The first occurrence of `pattern` at a position p with from <= p <= last
  // that lies wholly in the file; kNone when there is none, kStopped when `stop`
  // was found set before a block was read.
  std::int64_t Find(std::string_view pattern, std::int64_t from, std::int64_t last,
                    const std::atomic<int>* stop);

 private:
  bool Holds(std::int64_t begin, std::int64_t end) const;
  std::string_view View(std::int64_t begin, std::int64_t end) const;
  // Makes the block start at `begin`, keeping what is already loaded from there.
  void Load(std::int64_t begin);
  std::string_view ReadAside(std::int64_t begin, std::int64_t end);

  ByteReader& reader_;
  std::int64_t size_;
  std::vector<char> block_;
  std::int64_t blockBegin_ = 0;
  std::size_t blockLength_ = 0;
  std::size_t keepBehind_;
  std::vector<char> aside_;
};

}  // namespace tessel
