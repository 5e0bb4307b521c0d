#include "engine/index_format.h"

#include <algorithm>

#include "engine/window_protocol.h"

namespace tessel {

bool IndexSignatureAccepted(ByteReader& index) {
  char header[kIndexHeaderRead];
  const std::size_t read = index.ReadAt(0, header, sizeof header);
  const std::size_t compared = std::min(read, kIndexSignature.size());
  // Bytes that could not be read say nothing against the index: its entries
  // past them may still be read.
  if (index.IsUnreadable(0, static_cast<std::int64_t>(compared))) return true;
  for (std::size_t i = 0; i < compared; ++i)
    if (header[i] == kIndexSignature[i]) return true;
  return false;
}

std::int64_t EntryLength(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

bool IsPlausibleLength(std::int64_t length, std::int64_t storeSize) {
  return length > 0 && length < storeSize - kStoreMargin;
}

}  // namespace tessel
