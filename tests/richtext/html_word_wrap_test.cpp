// Word wrap of a piece: the longest prefix that fits, break positions, and
// the fallback to whole characters on an empty line.
#include <gtest/gtest.h>

#include <string>

#include "richtext/html_word_wrap.h"

namespace tessel {
namespace {

int TenPerByte(std::string_view text) { return static_cast<int>(text.size()) * 10; }

std::pair<std::string, std::string> Split(std::string_view piece, int freeWidth, bool empty) {
  WrapSplit split = SplitForWrap(piece, FitLength(piece, freeWidth, TenPerByte), empty);
  if (!split.taken) return {"<none>", ""};
  return {std::string(piece.substr(0, split.headLength)), std::string(piece.substr(split.restStart))};
}

TEST(HtmlWordWrapTest, FitLength) {
  EXPECT_EQ(FitLength("", 100, TenPerByte), 0u);
  EXPECT_EQ(FitLength("abc", 5, TenPerByte), 0u);
  EXPECT_EQ(FitLength("abc", 30, TenPerByte), 3u);
  EXPECT_EQ(FitLength("abcdefghij", 79, TenPerByte), 7u);
  EXPECT_EQ(FitLength(std::string(100000, 'a'), 1234, TenPerByte), 123u);
  EXPECT_EQ(FitLength("abc", -5, TenPerByte), 0u);
}

TEST(HtmlWordWrapTest, BreaksAfterBreakCharacters) {
  EXPECT_EQ(Split("one two three", 95, false), (std::pair<std::string, std::string>{"one two", "three"}));
  EXPECT_EQ(Split("well-known", 70, false), (std::pair<std::string, std::string>{"well-", "known"}));
  EXPECT_EQ(Split("end.Next", 40, false), (std::pair<std::string, std::string>{"end.", "Next"}));
  // The head fits without its trailing spaces; the rest loses its leading ones.
  EXPECT_EQ(Split("abc     def", 30, false), (std::pair<std::string, std::string>{"abc", "def"}));
}

TEST(HtmlWordWrapTest, LongWordsBreakOnlyOnAnEmptyLine) {
  EXPECT_EQ(Split("abcdefgh", 35, true), (std::pair<std::string, std::string>{"abc", "defgh"}));
  EXPECT_EQ(Split("abcdefgh", 35, false).first, "<none>");
  EXPECT_EQ(Split("abcdefgh", 5, true), (std::pair<std::string, std::string>{"a", "bcdefgh"}));
  // A folder name's UTF-8 characters are never cut in two.
  EXPECT_EQ(Split("Почта", 35, true), (std::pair<std::string, std::string>{"П", "очта"}));
  EXPECT_EQ(Split("Почта", 5, true), (std::pair<std::string, std::string>{"П", "очта"}));
  EXPECT_EQ(Split("😀x", 25, true), (std::pair<std::string, std::string>{"😀", "x"}));
}

}  // namespace
}  // namespace tessel
