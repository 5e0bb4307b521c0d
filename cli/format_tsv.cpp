#include "cli/format_tsv.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessel::cli {
namespace {

// The escape letter of each byte that needs one; 0 for the others.
constexpr auto kEscapeLetter = [] {
  std::array<char, 256> letters{};
  letters['\\'] = '\\';
  letters['\t'] = 't';
  letters['\n'] = 'n';
  letters['\r'] = 'r';
  return letters;
}();

// Nonzero when one of the eight bytes of `word` equals `byte`.
constexpr uint64_t HasByte(uint64_t word, unsigned char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & (kOnes * 0x80);
}

// Where the first byte needing an escape may be: skips sixteen (or eight)
// bytes at a time while none of them needs one (most cells have none at all).
size_t FirstCandidate(std::string_view cell) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i backslash = _mm_set1_epi8('\\'), tab = _mm_set1_epi8('\t'), lineFeed = _mm_set1_epi8('\n'),
                carriageReturn = _mm_set1_epi8('\r');
  for (; i + 16 <= cell.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cell.data() + i));
    const __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, backslash), _mm_cmpeq_epi8(bytes, tab)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn)));
    const int hits = _mm_movemask_epi8(special);
    if (hits != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
  }
#endif
  for (; i + 8 <= cell.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, cell.data() + i, 8);
    if (HasByte(word, '\\') | HasByte(word, '\t') | HasByte(word, '\n') | HasByte(word, '\r')) break;
  }
  return i;
}

}  // namespace

void AppendTsvEscaped(std::string& out, std::string_view cell) {
  size_t plain = 0;  // start of the bytes not yet copied
  for (size_t i = FirstCandidate(cell); i < cell.size(); ++i) {
    const char letter = kEscapeLetter[static_cast<unsigned char>(cell[i])];
    if (letter == 0) continue;
    out.append(cell.data() + plain, i - plain);
    out += '\\';
    out += letter;
    plain = i + 1;
  }
  out.append(cell.data() + plain, cell.size() - plain);
}

void AppendTsvLine(std::string& out, const Row& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += '\t';
    AppendTsvEscaped(out, cells[i]);
  }
  out += '\n';
}

}  // namespace tessel::cli
