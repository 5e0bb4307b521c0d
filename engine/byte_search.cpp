#include "engine/byte_search.h"

namespace tessel {

std::size_t FindBytes(std::string_view bytes, std::string_view pattern) {
  if (pattern.empty()) return 0;
  if (bytes.size() < pattern.size()) return std::string_view::npos;
  if (pattern.size() == 1) {
    const void* hit = std::memchr(bytes.data(), pattern[0], bytes.size());
    return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - bytes.data();
  }
#if defined(TESSEL_HAVE_MEMMEM) && !defined(TESSEL_PORTABLE_BYTE_SEARCH)
  const void* hit = memmem(bytes.data(), bytes.size(), pattern.data(), pattern.size());
  return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - bytes.data();
#else
  // memchr for the first byte, then a compare: fast where memmem is missing.
  const char* at = bytes.data();
  const char* const last = bytes.data() + bytes.size() - pattern.size();
  while (at <= last) {
    const void* first = std::memchr(at, pattern[0], last - at + 1);
    if (first == nullptr) break;
    at = static_cast<const char*>(first);
    if (std::memcmp(at, pattern.data(), pattern.size()) == 0) return at - bytes.data();
    ++at;
  }
  return std::string_view::npos;
#endif
}

void MarkBytes(const char* data, std::size_t size, char wanted, std::uint64_t* words) {
  std::size_t i = 0;
  for (; i + 64 <= size; i += 64) words[i / 64] = ByteMask(data + i, 64, wanted);
  if (i < size) words[i / 64] = ByteMask(data + i, size - i, wanted);
}

}  // namespace tessel
