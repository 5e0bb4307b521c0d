// The byte searches answer exactly as plain loops do, at every length and
// alignment, in the vector build and in the portable one (the same suite runs
// against both).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/byte_search.h"

namespace tessel {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Texts of every length up to 300, dense and sparse in the wanted bytes, each
// searched from several places in a larger buffer so that no alignment is missed.
template <typename Check>
void ForEveryText(const std::string& alphabet, Check check) {
  std::mt19937 random(99);
  for (std::size_t size = 0; size < 300; ++size) {
    for (int density : {2, 9, 70, 1000}) {
      std::string buffer(size + 16, 'x');
      for (char& c : buffer)
        if (random() % density == 0) c = alphabet[random() % alphabet.size()];
      for (std::size_t shift : {0u, 1u, 7u, 15u}) check(std::string_view(buffer).substr(shift, size));
    }
  }
}

TEST(ByteMask, MarksEveryOccurrenceInUpTo64Bytes) {
  ForEveryText(":", [](std::string_view text) {
    for (std::size_t count = 0; count <= std::min<std::size_t>(64, text.size()); ++count) {
      const std::uint64_t mask = ByteMask(text.data(), count, ':');
      for (std::size_t i = 0; i < 64; ++i) ASSERT_EQ(mask >> i & 1, i < count && text[i] == ':') << count << " " << i;
    }
  });
}

TEST(MarkBytes, SetsABitForEveryOccurrenceAndClearsTheRest) {
  ForEveryText(":", [](std::string_view text) {
    std::vector<std::uint64_t> words((text.size() + 63) / 64, ~std::uint64_t{0});
    MarkBytes(text.data(), text.size(), ':', words.data());
    for (std::size_t i = 0; i < text.size(); ++i) ASSERT_EQ(words[i / 64] >> (i % 64) & 1, text[i] == ':') << i;
    if (text.size() % 64 != 0) {
      ASSERT_EQ(words.back() >> (text.size() % 64), 0u);  // nothing past the end
    }
  });
}

TEST(FindLastByte, FindsTheLastOccurrence) {
  ForEveryText("\n", [](std::string_view text) { ASSERT_EQ(FindLastByte(text, '\n'), text.rfind('\n')) << text; });
}

TEST(FindFirstOf, FindsTheFirstOfFourBytes) {
  ForEveryText("\\\t\n\r", [](std::string_view text) {
    const std::size_t plain = text.find_first_of("\\\t\n\r");
    ASSERT_EQ(FindFirstOf(text, '\\', '\t', '\n', '\r'), plain == npos ? text.size() : plain) << text;
  });
}

TEST(FindCrLfOrNul, FindsACrFollowedByLfOrANul) {
  ForEveryText(std::string("\r\n\0", 3), [](std::string_view text) {
    for (std::size_t from : {std::size_t{0}, text.size() / 2, text.size()}) {
      std::size_t plain = text.size();
      for (std::size_t i = from; i < text.size() && plain == text.size(); ++i)
        if (text[i] == '\0' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain = i;
      ASSERT_EQ(FindCrLfOrNul(text, from), plain) << from;
    }
  });
}

TEST(FindBytes, FindsTheFirstOccurrence) {
  ForEveryText("MIME", [](std::string_view text) {
    for (std::string_view pattern : {"M", "MI", "MIME", "IMEM"})
      ASSERT_EQ(FindBytes(text, pattern), text.find(pattern));
  });
  EXPECT_EQ(FindBytes("abc", ""), 0u);
}

}  // namespace
}  // namespace tessel
