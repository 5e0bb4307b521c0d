#include "engine/skipping_reader.h"

#include <algorithm>
#include <cstring>

namespace tessel {

std::size_t SkippingReader::ReadAt(std::int64_t offset, void* buffer, std::size_t count) {
  const std::size_t got = inner_.ReadAt(offset, buffer, count);
  const std::int64_t size = inner_.Size();
  if (got == count || offset < 0 || offset + static_cast<std::int64_t>(got) >= size || inner_.LastError() == 0)
    return got;  // whole, at the file's end, or the file shrank meanwhile
  const std::int64_t rest = offset + static_cast<std::int64_t>(got);
  const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(count - got, size - rest));
  char* const out = static_cast<char*>(buffer) + got;
  return got + ReadPieces(rest, out, wanted);
}

std::size_t SkippingReader::ReadPieces(std::int64_t offset, char* buffer, std::size_t count) {
  // Tried once more as a whole: a read may fail once and then succeed.
  const std::size_t again = inner_.ReadAt(offset, buffer, count);
  std::size_t done = again;
  while (done < count) {
    const std::int64_t at = offset + static_cast<std::int64_t>(done);
    const std::int64_t pieceEnd = std::min<std::int64_t>((at / kPiece + 1) * kPiece, offset + count);
    const auto length = static_cast<std::size_t>(pieceEnd - at);
    const std::size_t read = inner_.ReadAt(at, buffer + done, length);
    if (read < length) {
      std::memset(buffer + done + read, 0, length - read);
      Note(at + static_cast<std::int64_t>(read), pieceEnd, inner_.LastError());
    }
    done += length;
  }
  return done;
}

void SkippingReader::Note(std::int64_t begin, std::int64_t end, int errorCode) {
  const std::lock_guard lock(mutex_);
  anyUnreadable_.store(true, std::memory_order_release);
  // Reads come in file order but for the occasional read ahead or look back: keep the list sorted.
  auto at = std::lower_bound(ranges_.begin(), ranges_.end(), begin,
                             [](const UnreadableRange& range, std::int64_t value) { return range.end < value; });
  if (at != ranges_.end() && at->begin <= end && begin <= at->end) {
    at->begin = std::min(at->begin, begin);
    at->end = std::max(at->end, end);
    // A range that now reaches the next one takes it in.
    for (auto next = at + 1; next != ranges_.end() && next->begin <= at->end;) {
      at->end = std::max(at->end, next->end);
      next = ranges_.erase(next);
    }
    return;
  }
  ranges_.insert(at, UnreadableRange{begin, end, errorCode});
}

std::vector<UnreadableRange> SkippingReader::Unreadable() const {
  const std::lock_guard lock(mutex_);
  return ranges_;
}

void SkippingReader::AppendUnreadableIn(std::int64_t begin, std::int64_t end, std::vector<UnreadableRange>& out) const {
  if (!AnyUnreadable()) return;
  const std::lock_guard lock(mutex_);
  for (const UnreadableRange& range : ranges_)
    if (range.begin < end && begin < range.end)
      out.push_back({std::max(range.begin, begin), std::min(range.end, end), range.errorCode});
}

bool SkippingReader::IsUnreadable(std::int64_t begin, std::int64_t end) const {
  if (!AnyUnreadable()) return false;
  const std::lock_guard lock(mutex_);
  for (const UnreadableRange& range : ranges_)
    if (range.begin < end && begin < range.end) return true;
  return false;
}

}  // namespace tessel
