#include "mail/record_header.h"

#include <algorithm>

#include "mail/header_block.h"

namespace tessel::mail {
namespace {

constexpr std::size_t kWindow = 128 * 1024;  // read ahead at a time: within the cache, and few reads
constexpr std::size_t kFirstLook = 8192;     // most header blocks end within this

}  // namespace

std::string_view RecordHeaders::Bytes(std::int64_t offset, std::size_t count) {
  const auto inWindow = [&] {
    if (windowStart_ < 0 || offset < windowStart_) return false;
    const auto from = static_cast<std::size_t>(offset - windowStart_);
    return from + count <= windowLength_ || (windowAtEnd_ && from <= windowLength_);
  };
  if (!inWindow()) {
    // Sized once (larger only for a header longer than the window), never cleared.
    if (window_.size() < std::max(kWindow, count)) window_.resize(std::max(kWindow, count));
    const std::size_t want = std::max(kWindow, count);
    windowLength_ = offset < 0 ? 0 : store_.ReadAt(offset, window_.data(), want);
    windowAtEnd_ = windowLength_ < want;
    windowStart_ = offset;
  }
  const auto from = static_cast<std::size_t>(offset - windowStart_);
  return std::string_view(window_.data(), windowLength_).substr(std::min(from, windowLength_), count);
}

std::string_view RecordHeaders::Read(const MessageRecord& record) {
  const auto wanted =
      static_cast<std::size_t>(std::clamp<std::int64_t>(record.length, 0, static_cast<std::int64_t>(kMaxHeaderBlock)));
  // A look at the first bytes, then (for relay-heavy headers) at all that may be header.
  std::string_view bytes = Bytes(record.offset, std::min(wanted, kFirstLook));
  std::size_t length = HeaderBlockLength(bytes);
  if (length == bytes.size() && bytes.size() < wanted && bytes.size() == std::min(wanted, kFirstLook)) {
    bytes = Bytes(record.offset, wanted);
    length = HeaderBlockLength(bytes);
  }
  return bytes.substr(0, length);
}

}  // namespace tessel::mail
