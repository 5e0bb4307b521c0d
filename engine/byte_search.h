// Searching bytes in memory with the C library's fastest tools, and a byte
// scan that visits every occurrence of one byte without a call per occurrence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessel {

// The offset of the first occurrence of `pattern` in `bytes`, or npos.
std::size_t FindBytes(std::string_view bytes, std::string_view pattern);

namespace detail {

// The bytes of data[at, at + 16) equal to `wanted`, one bit each.
#if defined(__SSE2__)
inline std::uint32_t Matches16(const char* data, std::size_t at, __m128i wanted) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
}
#endif

}  // namespace detail

// Calls onByte(offset) for each offset of `wanted` in data[0, size), in order,
// until onByte returns false. Returns the offset where it stopped (onByte's
// last offset), or `size` when every occurrence was visited. No call per
// occurrence, unlike a loop of memchr: colons come every few dozen bytes in
// mail headers.
template <typename OnByte>
std::size_t ForEachByte(const char* data, std::size_t size, char wanted, OnByte&& onByte) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i needle = _mm_set1_epi8(wanted);
  for (; i + 64 <= size; i += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 48));
    const __m128i any = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(a, needle), _mm_cmpeq_epi8(b, needle)),
                                     _mm_or_si128(_mm_cmpeq_epi8(c, needle), _mm_cmpeq_epi8(d, needle)));
    // Most 64-byte steps of a mail body hold no colon at all.
    if (_mm_movemask_epi8(any) == 0) continue;
    std::uint64_t hits = detail::Matches16(data, i, needle) |
                         static_cast<std::uint64_t>(detail::Matches16(data, i + 16, needle)) << 16 |
                         static_cast<std::uint64_t>(detail::Matches16(data, i + 32, needle)) << 32 |
                         static_cast<std::uint64_t>(detail::Matches16(data, i + 48, needle)) << 48;
    while (hits != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctzll(hits));
      if (!onByte(at)) return at;
      hits &= hits - 1;
    }
  }
#endif
  while (i < size) {
    const void* hit = std::memchr(data + i, wanted, size - i);
    if (hit == nullptr) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    if (!onByte(at)) return at;
    i = at + 1;
  }
  return size;
}

// Sets bit i % 64 of words[i / 64] where data[i] == wanted, clears it
// elsewhere, for i < size; words must hold (size + 63) / 64 entries.
inline void MarkBytes(const char* data, std::size_t size, char wanted, std::uint64_t* words) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i needle = _mm_set1_epi8(wanted);
  for (; i + 64 <= size; i += 64)
    words[i / 64] = detail::Matches16(data, i, needle) |
                    static_cast<std::uint64_t>(detail::Matches16(data, i + 16, needle)) << 16 |
                    static_cast<std::uint64_t>(detail::Matches16(data, i + 32, needle)) << 32 |
                    static_cast<std::uint64_t>(detail::Matches16(data, i + 48, needle)) << 48;
#endif
  for (; i < size; i += 64) {
    std::uint64_t word = 0;
    for (std::size_t k = 0; k < 64 && i + k < size; ++k)
      if (data[i + k] == wanted) word |= std::uint64_t{1} << k;
    words[i / 64] = word;
  }
}

}  // namespace tessel
