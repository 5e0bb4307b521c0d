#include "engine/block_reader.h"

#include <algorithm>
#include <cstring>

#include "engine/byte_search.h"

namespace tessel {

BlockReader::BlockReader(ByteReader& reader, std::size_t blockSize)
    : reader_(reader),
      size_(reader.Size()),
      capacity_(std::max(blockSize, kSmallestBlock)),
      keepBehind_(std::min(kKeepBehind, capacity_ / 2)),
      front_(keepBehind_ + kAstrideRoom),
      readsAhead_(reader.MayReadAhead() && capacity_ >= kSmallestBlockReadAhead),
      ahead_(reader) {
  buffers_[0].resize(front_ + capacity_);
  if (readsAhead_) buffers_[1].resize(front_ + capacity_);
  block_ = buffers_[0].data();
}

bool BlockReader::Holds(std::int64_t begin, std::int64_t end) const {
  return begin >= blockBegin_ && end <= blockBegin_ + static_cast<std::int64_t>(blockLength_);
}

std::string_view BlockReader::View(std::int64_t begin, std::int64_t end) const {
  const std::int64_t blockEnd = blockBegin_ + static_cast<std::int64_t>(blockLength_);
  begin = std::clamp(begin, blockBegin_, blockEnd);
  end = std::clamp(end, begin, blockEnd);
  return std::string_view(block_ + (begin - blockBegin_), static_cast<std::size_t>(end - begin));
}

void BlockReader::Load(std::int64_t begin) {
  std::size_t kept = 0;
  if (Holds(begin, begin) && begin < blockBegin_ + static_cast<std::int64_t>(blockLength_))
    kept = blockLength_ - static_cast<std::size_t>(begin - blockBegin_);
  if (!readsAhead_ || !TakeReadAhead(begin, kept)) {
    markedFrom_ = kNothingMarked;
    char* const buffer = buffers_[current_].data();
    if (kept > 0) std::memmove(buffer, block_ + (begin - blockBegin_), kept);
    block_ = buffer;
    blockBegin_ = begin;
    blockLength_ = kept;
    const std::int64_t rest = size_ - (begin + static_cast<std::int64_t>(kept));
    if (rest > 0) {
      const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(rest, capacity_ - kept));
      const std::size_t got = reader_.ReadAt(begin + kept, buffer + kept, want);
      blockLength_ += got;
      if (got < want) size_ = blockBegin_ + static_cast<std::int64_t>(blockLength_);
    }
  }
  if (readsAhead_) StartReadAhead();
}

bool BlockReader::TakeReadAhead(std::int64_t begin, std::size_t kept) {
  const ReadAhead::Read read = ahead_.Wait();
  const std::int64_t readFrom = begin + static_cast<std::int64_t>(kept);
  if (!read.started || kept > front_) return false;
  // Kept bytes must join the read on; a block that starts past the old one
  // may start anywhere in the read.
  const std::int64_t skipped = readFrom - read.offset;
  if (kept > 0 ? skipped != 0 : skipped < 0 || skipped >= static_cast<std::int64_t>(read.got)) return false;
  const int next = 1 - current_;
  char* const data = buffers_[next].data() + (front_ - kept) + skipped;
  if (kept > 0) std::memcpy(data, block_ + (begin - blockBegin_), kept);
  const std::int64_t rest = std::max<std::int64_t>(size_ - readFrom, 0);
  const std::size_t used = static_cast<std::size_t>(std::min<std::int64_t>(
      {static_cast<std::int64_t>(read.got) - skipped, rest, static_cast<std::int64_t>(capacity_ - kept)}));
  current_ = next;
  block_ = data;
  blockBegin_ = begin;
  blockLength_ = kept + used;
  marksBase_ = read.offset;
  markedFrom_ = readFrom;
  // A short read: the file ends where it stopped.
  if (read.got < read.count) size_ = std::min(size_, read.offset + static_cast<std::int64_t>(read.got));
  return true;
}

void BlockReader::StartReadAhead() {
  const std::int64_t from = blockBegin_ + static_cast<std::int64_t>(blockLength_);
  if (from >= size_) return;
  const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(size_ - from, capacity_ - keepBehind_));
  ahead_.Start(from, buffers_[1 - current_].data() + front_, count, marking_ ? marks_[1 - current_].data() : nullptr,
               markedByte_);
}

void BlockReader::MarkByte(char byte) {
  marking_ = readsAhead_;
  markedByte_ = byte;
  if (!marking_) return;
  for (auto& marks : marks_) marks.assign(capacity_ / 64 + 1, 0);
}

std::string_view BlockReader::ReadAside(std::int64_t begin, std::int64_t end, std::vector<char>& aside) {
  // No wait for the read in flight: a reader that allows reading ahead takes
  // reads from several threads at once, and a look aside right after a block
  // moved would otherwise wait for the whole next block.
  aside.resize(static_cast<std::size_t>(end - begin));
  const std::size_t got = reader_.ReadAt(begin, aside.data(), aside.size());
  return std::string_view(aside.data(), got);
}

std::string_view BlockReader::Bytes(std::int64_t begin, std::int64_t end) {
  begin = std::max<std::int64_t>(begin, 0);
  end = std::min(end, size_);
  if (end <= begin) return {};
  if (Holds(begin, end)) return View(begin, end);
  if (begin < blockBegin_ || end - begin > static_cast<std::int64_t>(capacity_))
    return ReadAside(begin, end, bytesAside_);
  Load(begin);
  return View(begin, end);
}

std::string_view BlockReader::Peek(std::int64_t begin, std::int64_t end) {
  begin = std::max<std::int64_t>(begin, 0);
  end = std::min(end, size_);
  if (end <= begin) return {};
  if (Holds(begin, end)) return View(begin, end);
  return ReadAside(begin, end, peekAside_);
}

BlockReader::Window BlockReader::Ahead(std::int64_t from, const std::atomic<int>* stop) {
  from = std::max<std::int64_t>(from, 0);
  const std::int64_t wantedBehind = std::max<std::int64_t>(from - static_cast<std::int64_t>(keepBehind_), 0);
  if (from >= size_) return {};
  if (!Holds(from, from + 1) || blockBegin_ > wantedBehind) {
    if (stop != nullptr && stop->load() != 0) return Window{{}, from, true};
    Load(wantedBehind);
    if (!Holds(from, from + 1)) return {};  // the file ended early
  }
  return Window{View(blockBegin_, blockBegin_ + static_cast<std::int64_t>(blockLength_)), blockBegin_, false};
}

std::int64_t BlockReader::Find(std::string_view pattern, std::int64_t from, std::int64_t last,
                               const std::atomic<int>* stop) {
  const std::int64_t length = static_cast<std::int64_t>(pattern.size());
  from = std::max<std::int64_t>(from, 0);
  for (;;) {
    last = std::min(last, size_ - length);
    if (from > last) return kNone;
    if (!Holds(from, from + length)) {
      if (stop != nullptr && stop->load() != 0) return kStopped;
      Load(std::max<std::int64_t>(from - static_cast<std::int64_t>(keepBehind_), 0));
      continue;  // a short read lowers size_, and with it `last`
    }
    // Only candidates up to `last` are searched: they need bytes up to last + length.
    const std::int64_t searchEnd = std::min(blockBegin_ + static_cast<std::int64_t>(blockLength_), last + length);
    const std::size_t hit = FindBytes(View(from, searchEnd), pattern);
    if (hit != std::string_view::npos) return from + static_cast<std::int64_t>(hit);
    if (searchEnd == last + length) return kNone;
    from = searchEnd - length + 1;
  }
}

}  // namespace tessel
