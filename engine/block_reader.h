// Large blocks of a file behind the small windows of the store and index
// searches: each byte is read from the file once, searched in memory with
// memmem, and kept a little while for the look back over a message's header
// lines. While a block is searched, the next one is read on a helper thread
// (for readers that allow it). Memory stays at two blocks (plus at most one
// raw message's first bytes) whatever the file's size.
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "engine/byte_search.h"
#include "engine/header_block.h"
#include "engine/read_ahead.h"
#include "engine/source_file.h"

namespace tessel {

class BlockReader {
 public:
  // Two blocks of 2 MiB per reader: the index walk's two readers stay well
  // under 16 MiB, and fewer, larger reads keep the helper thread ahead.
  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 21;
  // Smaller blocks are not worth the hand-over to a helper thread.
  static constexpr std::size_t kSmallestBlockReadAhead = 4096;
  // The smallest block: up to half of it is kept behind, and the rest must
  // still hold the longest text searched for (the 16-byte boundary text).
  static constexpr std::size_t kSmallestBlock = 64;
  // Bytes kept before a search position when a new block is read: a header
  // block reaches back this far from its boundary, and its first line needs
  // the byte before it.
  static constexpr std::size_t kKeepBehind = static_cast<std::size_t>(kHeaderWalkBackLimit) + 1;
  // Room in front of a block read ahead, beyond the kept bytes, for the bytes
  // of a request astride the old block's end (an index entry, an indexed
  // message's first 2000 bytes): they join the read ahead instead of a new read.
  static constexpr std::size_t kAstrideRoom = 4096;
  static constexpr std::int64_t kNone = -1;
  static constexpr std::int64_t kStopped = -2;

  BlockReader(ByteReader& reader, std::size_t blockSize = kDefaultBlockSize);

  // The file's length; lowered when a read comes back short (the file shrank).
  std::int64_t Size() const { return size_; }
  // The file's length as measured when it was opened.
  std::int64_t FileSize() const { return reader_.Size(); }
  // The most bytes a block holds.
  std::size_t BlockSize() const { return capacity_; }

  // The bytes [begin, end) clipped to the file. A request beyond the block
  // moves the block forward to `begin` (one further back, or larger than a
  // block, is read aside instead). Valid until the next call of any of
  // Bytes, Ahead or Find: looks aside with Peek leave it valid.
  std::string_view Bytes(std::int64_t begin, std::int64_t end);
  // The bytes [begin, end) clipped to the file, never moving the block: a
  // request that the block does not hold is read aside. For looks back, and for
  // reads far apart that would waste a whole block. Views of the block and of
  // Bytes stay valid; what an earlier Peek read aside does not.
  std::string_view Peek(std::int64_t begin, std::int64_t end);

  // The block from `from` on, with what it holds before `from` (at least the
  // kept bytes, or all from the file's start): `bytes` starts at file position
  // `begin`. Empty when `from` is at or past the end, or when `stop` was found
  // set before a block was read (then `stopped` is true). Valid until the
  // block moves (Bytes, Ahead, Find); Peek leaves it where it is.
  struct Window {
    std::string_view bytes;
    std::int64_t begin = 0;
    bool stopped = false;
  };
  Window Ahead(std::int64_t from, const std::atomic<int>* stop);

  // Has the helper thread that reads ahead also note where `byte` stands in
  // each block it reads, so that NextMarked need not look at every byte.
  // Call before the first read.
  void MarkByte(char byte);
  // The first position in [from, end) of the block that holds the marked byte,
  // or `end` when none does (nor when [from, end) lies outside the block).
  std::int64_t NextMarked(std::int64_t from, std::int64_t end) const;

  // The first occurrence of `pattern` at a position p with from <= p <= last
  // that lies wholly in the file; kNone when there is none, kStopped when `stop`
  // was found set before a block was read.
  std::int64_t Find(std::string_view pattern, std::int64_t from, std::int64_t last, const std::atomic<int>* stop);

 private:
  bool Holds(std::int64_t begin, std::int64_t end) const;
  std::string_view View(std::int64_t begin, std::int64_t end) const;
  // Makes the block start at `begin`, keeping what is already loaded from there.
  void Load(std::int64_t begin);
  // Takes the read ahead as the new block when it goes on where the block ends
  // and the kept bytes fit before it; false (nothing changed) otherwise.
  bool TakeReadAhead(std::int64_t begin, std::size_t kept);
  void StartReadAhead();
  std::string_view ReadAside(std::int64_t begin, std::int64_t end, std::vector<char>& aside);

  ByteReader& reader_;
  std::int64_t size_;
  std::size_t capacity_;  // the most bytes a block holds
  std::size_t keepBehind_;
  // Each buffer has room for kept bytes before a block read ahead into it.
  std::size_t front_;
  std::vector<char> buffers_[2];
  int current_ = 0;    // the buffer that holds the block
  const char* block_;  // the block's first byte, in buffers_[current_]
  std::int64_t blockBegin_ = 0;
  std::size_t blockLength_ = 0;
  // Bytes' and Peek's reads aside, apart: a search window read aside stays
  // valid while the search looks around it.
  std::vector<char> bytesAside_;
  std::vector<char> peekAside_;
  bool readsAhead_;
  // Where the marked byte stands in each buffer's read-ahead bytes: bit i for
  // file position marksBase_ + i, known from markedFrom_ to the block's end
  // (none known while it is kNothingMarked).
  bool marking_ = false;
  char markedByte_ = 0;
  std::vector<std::uint64_t> marks_[2];
  static constexpr std::int64_t kNothingMarked = std::numeric_limits<std::int64_t>::max();
  std::int64_t marksBase_ = 0, markedFrom_ = kNothingMarked;
  ReadAhead ahead_;  // last: ends its reads before the buffers go
};

inline std::int64_t BlockReader::NextMarked(std::int64_t from, std::int64_t end) const {
  const std::int64_t stop = std::min(end, blockBegin_ + static_cast<std::int64_t>(blockLength_));
  from = std::max(from, blockBegin_);
  if (from >= stop) return end;
  // Bytes the helper thread did not mark (kept from the block before, or read
  // without it) are looked at one call per hit.
  const std::int64_t marked = std::clamp(markedFrom_, from, stop);
  if (from < marked) {
    const void* hit = std::memchr(block_ + (from - blockBegin_), markedByte_, static_cast<std::size_t>(marked - from));
    if (hit != nullptr) return blockBegin_ + (static_cast<const char*>(hit) - block_);
    if (marked == stop) return end;
    from = marked;
  }
  // The marks: most words are empty, since a mail body has few colons.
  const std::uint64_t* const words = marks_[current_].data();
  const std::int64_t last = stop - marksBase_;  // bits [from - marksBase_, last) are asked for
  std::int64_t word = (from - marksBase_) / 64;
  std::uint64_t bits = words[word] & (~std::uint64_t{0} << ((from - marksBase_) % 64));
  while (bits == 0) {
    if (++word * 64 >= last) return end;
    bits = words[word];
  }
  const std::int64_t at = word * 64 + std::countr_zero(bits);
  return at < last ? marksBase_ + at : end;
}

}  // namespace tessel
