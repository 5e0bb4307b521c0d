#include "draw/draw_manager_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

TEST(TextureRandom, FillGivesTheSequenceOfNext) {
  TextureRandom reference;
  TextureRandom filled;
  for (int count : {0, 1, 7, 31, 32, 33, 765, 3}) {
    std::vector<int> values(static_cast<std::size_t>(count) + 1, -1);
    filled.Fill(values.data(), count);
    for (int i = 0; i < count; ++i) ASSERT_EQ(values[static_cast<std::size_t>(i)], reference.Next()) << count;
    EXPECT_EQ(values.back(), -1);
  }
  EXPECT_EQ(filled.Next(), reference.Next());
  std::vector<int> scaled(40);
  filled.Fill(scaled.data(), 40, RandomDivider(682), 24);
  for (int value : scaled) ASSERT_EQ(value, reference.Next() / 682 - 24);
}

TEST(TextureRandom, ValuesStayInRangeAndStartFromTheFixedSeed) {
  TextureRandom random;
  EXPECT_EQ(random.Next(), 41);  // the first value from seed 1
  int highest = 0;
  for (int i = 0; i < 100000; ++i) {
    const int value = random.Next();
    ASSERT_GE(value, 0);
    highest = std::max(highest, value);
  }
  EXPECT_EQ(highest, 32767);
}

TEST(RandomDivider, ExactForEveryNoiseDivisorAndEveryValue) {
  for (int g = 0; g <= 255; ++g) {
    const int d = 32767 / std::max(2 * g, 1);
    const RandomDivider divide(d);
    for (int r = 0; r <= 32767; ++r) ASSERT_EQ(divide(r), r / d) << d << " " << r;
  }
}

TEST(RandomDivider, ExactAtTheEdgesOfEveryDivisor) {
  for (int d = 1; d <= 32767; ++d) {
    const RandomDivider divide(d);
    for (int r : {0, d - 1, d, d + 1, 2 * d - 1, 32766, 32767}) {
      if (r > 32767) continue;
      ASSERT_EQ(divide(r), r / d) << d << " " << r;
    }
  }
  EXPECT_EQ(RandomDivider(0)(5), 5);  // held to 1
}

}  // namespace
}  // namespace tessel
