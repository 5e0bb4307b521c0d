// Large blocks of a file behind the small windows of the store and index
// searches: each byte is read from the file once, searched in memory with
// memmem, and kept a little while for the look back over a message's header
// lines. While a block is searched, the next one is read on a helper thread
// (for readers that allow it). Memory stays at two blocks (plus at most one
// raw message's first bytes) whatever the file's size.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/byte_search.h"
#include "engine/read_ahead.h"
#include "engine/source_file.h"

namespace tessel {

class BlockReader {
 public:
  // Two blocks of 2 MiB per reader: the index walk's two readers stay well
  // under 16 MiB, and fewer, larger reads keep the helper thread ahead.
  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 21;
  static constexpr std::size_t kSmallestBlockReadAhead = 4096;
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

  // Has the helper thread that reads ahead also note where `byte` stands in
  // each block it reads, so that ForEachMarked need not look at every byte.
  // Call before the first read.
  void MarkByte(char byte);
  // Calls onByte(position) for each position in [from, end) of the block that
  // holds the marked byte, in order, until onByte returns false.
  template <typename OnByte>
  void ForEachMarked(std::int64_t from, std::int64_t end, OnByte&& onByte);

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
  std::string_view ReadAside(std::int64_t begin, std::int64_t end);

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
  std::vector<char> aside_;
  bool readsAhead_;
  // Where the marked byte stands in each buffer's read-ahead bytes: bit i for
  // file position marksBase_ + i, known for [markedBegin_, markedEnd_).
  bool marking_ = false;
  char markedByte_ = 0;
  std::vector<std::uint64_t> marks_[2];
  std::int64_t marksBase_ = 0, markedBegin_ = 0, markedEnd_ = 0;
  ReadAhead ahead_;  // last: ends its reads before the buffers go
};

template <typename OnByte>
void BlockReader::ForEachMarked(std::int64_t from, std::int64_t end, OnByte&& onByte) {
  const std::int64_t blockEnd = blockBegin_ + static_cast<std::int64_t>(blockLength_);
  from = std::max(from, blockBegin_);
  end = std::min(end, blockEnd);
  bool stopped = false;
  // Stretches without marks: a look at every byte.
  auto scan = [&](std::int64_t begin, std::int64_t stop) {
    if (stopped || begin >= stop) return;
    const std::size_t size = static_cast<std::size_t>(stop - begin);
    stopped = ForEachByte(block_ + (begin - blockBegin_), size, markedByte_,
                          [&](std::size_t at) { return onByte(begin + static_cast<std::int64_t>(at)); }) < size;
  };
  const std::int64_t markedFrom = std::max(from, markedBegin_), markedTo = std::min(end, markedEnd_);
  if (!marking_ || markedFrom >= markedTo) {
    scan(from, end);
    return;
  }
  scan(from, markedFrom);
  const std::uint64_t* const words = marks_[current_].data();
  const std::int64_t first = markedFrom - marksBase_, last = markedTo - marksBase_;  // bit range [first, last)
  // Only the first and the last word hold bits outside the range.
  const std::int64_t firstWord = first / 64, lastWord = (last - 1) / 64;
  const std::uint64_t firstMask = ~std::uint64_t{0} << (first % 64);
  const std::uint64_t lastMask = ~std::uint64_t{0} >> (63 - (last - 1) % 64);
  for (std::int64_t word = firstWord; !stopped && word <= lastWord; ++word) {
    std::uint64_t bits = words[word];
    if (bits == 0) continue;  // most words: a mail body has few colons
    if (word == firstWord) bits &= firstMask;
    if (word == lastWord) bits &= lastMask;
    for (; bits != 0; bits &= bits - 1)
      if (!onByte(marksBase_ + word * 64 + __builtin_ctzll(bits))) {
        stopped = true;
        break;
      }
  }
  scan(markedTo, end);
}

}  // namespace tessel
