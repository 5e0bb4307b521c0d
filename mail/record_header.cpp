#include "mail/record_header.h"

#include <algorithm>

#include "mail/header_block.h"

namespace tessel::mail {
namespace {

constexpr std::size_t kWindow = std::size_t{1} << 20;  // read ahead at a time
constexpr std::size_t kFirstLook = 8192;               // most header blocks end within this

}  // namespace

std::string_view RecordHeaders::Bytes(std::int64_t offset, std::size_t count) {
  const auto inWindow = [&] {
    if (windowStart_ < 0 || offset < windowStart_) return false;
    const auto from = static_cast<std::size_t>(offset - windowStart_);
    return from + count <= window_.size() || (windowAtEnd_ && from <= window_.size());
  };
  if (!inWindow()) {
    window_.resize(std::max(kWindow, count));
    const std::size_t got = offset < 0 ? 0 : store_.ReadAt(offset, window_.data(), window_.size());
    windowAtEnd_ = got < window_.size();
    window_.resize(got);
    windowStart_ = offset;
  }
  const auto from = static_cast<std::size_t>(offset - windowStart_);
  return std::string_view(window_).substr(std::min(from, window_.size()), count);
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
