#include "mail/record_header.h"

#include <algorithm>

#include "mail/header_block.h"

namespace tessel::mail {

std::string ReadRecordHeader(ByteReader& store, const MessageRecord& record) {
  // Most headers end within the first piece; relay-heavy ones take a few.
  constexpr std::size_t kPiece = 16 * 1024;
  const auto wanted =
      static_cast<std::size_t>(std::clamp<std::int64_t>(record.length, 0, static_cast<std::int64_t>(kMaxHeaderBlock)));
  std::string bytes;
  while (bytes.size() < wanted) {
    const std::size_t had = bytes.size();
    const std::size_t count = std::min(kPiece, wanted - had);
    bytes.resize(had + count);
    const std::size_t got = store.ReadAt(record.offset + static_cast<std::int64_t>(had), bytes.data() + had, count);
    bytes.resize(had + got);
    // The empty line may straddle the pieces: look again from just before the new bytes.
    const std::size_t from = had < 3 ? 0 : had - 3;
    const std::string_view fresh = std::string_view(bytes).substr(from);
    const std::size_t lf = fresh.find("\n\n"), crlf = fresh.find("\n\r\n");
    if (lf != std::string_view::npos || crlf != std::string_view::npos || got < count) break;
  }
  bytes.resize(HeaderBlockLength(bytes));
  return bytes;
}

}  // namespace tessel::mail
