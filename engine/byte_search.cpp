#include "engine/byte_search.h"

#include <cstring>

namespace tessel {

std::size_t FindBytes(std::string_view bytes, std::string_view pattern) {
  if (pattern.empty()) return 0;
  if (bytes.size() < pattern.size()) return std::string_view::npos;
  if (pattern.size() == 1) {
    const void* hit = std::memchr(bytes.data(), pattern[0], bytes.size());
    return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - bytes.data();
  }
#if defined(__GLIBC__)
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

}  // namespace tessel
