// Searching bytes in memory. Every loop that compares many bytes at a time
// lives behind these plain functions: with SSE2 they take sixteen bytes a step,
// elsewhere, or when the build asks for the portable loops
// (TESSEL_PORTABLE_BYTE_SEARCH, as the portable test build does), a byte or a
// 64-bit word a step. Both give the same answers. The small ones are inline:
// they run once per header line, value or cell, where a call would cost more
// than the search.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__) && !defined(TESSEL_PORTABLE_BYTE_SEARCH)
#define TESSEL_SSE2_BYTE_SEARCH 1
#include <emmintrin.h>
#endif

namespace tessel {

namespace byte_search_detail {

#if defined(TESSEL_SSE2_BYTE_SEARCH)
inline __m128i Load16(const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
inline std::uint64_t Bits16(__m128i matches) { return static_cast<std::uint32_t>(_mm_movemask_epi8(matches)); }
#endif

// Nonzero when one of the eight bytes of `word` equals `byte`: the high bit of
// each such byte is set, and a false one only above a true one.
constexpr std::uint64_t HasByte(std::uint64_t word, unsigned char byte) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  const std::uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & (kOnes * 0x80);
}

}  // namespace byte_search_detail

// The offset of the first occurrence of `pattern` in `bytes`, or npos.
std::size_t FindBytes(std::string_view bytes, std::string_view pattern);

// Sets bit i % 64 of words[i / 64] where data[i] == wanted, clears it
// elsewhere, for i < size; words must hold (size + 63) / 64 entries.
void MarkBytes(const char* data, std::size_t size, char wanted, std::uint64_t* words);

// Bit i set where data[i] == wanted, for the `count` bytes at `data` (at most 64).
inline std::uint64_t ByteMask(const char* data, std::size_t count, char wanted) {
  std::size_t k = 0;
  std::uint64_t mask = 0;
#if defined(TESSEL_SSE2_BYTE_SEARCH)
  using byte_search_detail::Bits16, byte_search_detail::Load16;
  const __m128i needle = _mm_set1_epi8(wanted);
  if (count == 64) {
    const __m128i a = _mm_cmpeq_epi8(Load16(data), needle), b = _mm_cmpeq_epi8(Load16(data + 16), needle),
                  c = _mm_cmpeq_epi8(Load16(data + 32), needle), d = _mm_cmpeq_epi8(Load16(data + 48), needle);
    // Most 64-byte steps of a mail body hold no colon at all.
    if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0) return 0;
    return Bits16(a) | Bits16(b) << 16 | Bits16(c) << 32 | Bits16(d) << 48;
  }
  for (; k + 16 <= count; k += 16) mask |= Bits16(_mm_cmpeq_epi8(Load16(data + k), needle)) << k;
#endif
  for (; k < count; ++k)
    if (data[k] == wanted) mask |= std::uint64_t{1} << k;
  return mask;
}

// The offset of the last `wanted` in `bytes`, or npos.
inline std::size_t FindLastByte(std::string_view bytes, char wanted) {
  std::size_t end = bytes.size();
#if defined(TESSEL_SSE2_BYTE_SEARCH)
  const __m128i needle = _mm_set1_epi8(wanted);
  for (; end >= 16; end -= 16) {
    const std::uint64_t hits =
        byte_search_detail::Bits16(_mm_cmpeq_epi8(byte_search_detail::Load16(bytes.data() + end - 16), needle));
    if (hits != 0) return end - 16 + static_cast<std::size_t>(63 - std::countl_zero(hits));
  }
#endif
  while (end > 0)
    if (bytes[--end] == wanted) return end;
  return std::string_view::npos;
}

// The offset of the first byte of `bytes` that is one of a, b, c and d, or
// bytes.size() when there is none.
inline std::size_t FindFirstOf(std::string_view bytes, char a, char b, char c, char d) {
  std::size_t i = 0;
#if defined(TESSEL_SSE2_BYTE_SEARCH)
  const __m128i wantedA = _mm_set1_epi8(a), wantedB = _mm_set1_epi8(b), wantedC = _mm_set1_epi8(c),
                wantedD = _mm_set1_epi8(d);
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i chunk = byte_search_detail::Load16(bytes.data() + i);
    const std::uint64_t hits = byte_search_detail::Bits16(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, wantedA), _mm_cmpeq_epi8(chunk, wantedB)),
                     _mm_or_si128(_mm_cmpeq_epi8(chunk, wantedC), _mm_cmpeq_epi8(chunk, wantedD))));
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
#endif
  using byte_search_detail::HasByte;
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes a step; the last step takes the last eight bytes and leaves
    // out those already looked at. A false hit only ever follows a true one,
    // so the lowest hit is exact.
    if (bytes.size() >= 8) {
      for (;; i += 8) {
        const std::size_t skipped = i + 8 <= bytes.size() ? 0 : i + 8 - bytes.size();
        if (skipped >= 8) break;
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i - skipped, 8);
        word >>= 8 * skipped;
        std::uint64_t hits = HasByte(word, a) | HasByte(word, b) | HasByte(word, c) | HasByte(word, d);
        hits &= ~std::uint64_t{0} >> (8 * skipped);
        if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
      }
      return bytes.size();
    }
  }
  for (; i < bytes.size(); ++i)
    if (bytes[i] == a || bytes[i] == b || bytes[i] == c || bytes[i] == d) return i;
  return bytes.size();
}

// The offset of the first CR that a LF follows, or of the first NUL, at or
// after `from`; text.size() when there is neither. Where a header value ends.
inline std::size_t FindCrLfOrNul(std::string_view text, std::size_t from) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  std::size_t i = from;
#if defined(TESSEL_SSE2_BYTE_SEARCH)
  const __m128i carriageReturn = _mm_set1_epi8('\r'), nul = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i chunk = byte_search_detail::Load16(data + i);
    std::uint64_t hits =
        byte_search_detail::Bits16(_mm_or_si128(_mm_cmpeq_epi8(chunk, carriageReturn), _mm_cmpeq_epi8(chunk, nul)));
    for (; hits != 0; hits &= hits - 1) {
      const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits));
      if (data[at] == '\0' || (at + 1 < size && data[at + 1] == '\n')) return at;
    }
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\0' || (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')) return i;
  return size;
}

}  // namespace tessel
