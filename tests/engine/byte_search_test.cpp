// The byte walk behind the colon searches visits exactly the bytes a plain
// loop would, in order, whatever the length and wherever it is told to stop;
// the marks made while reading ahead say the same.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/byte_search.h"

namespace tessel {
namespace {

std::vector<std::size_t> PlainOffsets(const std::string& bytes, char wanted) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == wanted) offsets.push_back(i);
  return offsets;
}

TEST(ForEachByte, VisitsEveryOccurrenceInOrder) {
  std::mt19937 random(99);
  for (std::size_t size = 0; size < 400; ++size) {
    for (int density : {2, 9, 70, 1000}) {
      std::string bytes(size, 'x');
      for (char& c : bytes)
        if (random() % density == 0) c = ':';
      std::vector<std::size_t> seen;
      const std::size_t end = ForEachByte(bytes.data(), bytes.size(), ':', [&](std::size_t at) {
        seen.push_back(at);
        return true;
      });
      ASSERT_EQ(seen, PlainOffsets(bytes, ':')) << size << " " << density;
      ASSERT_EQ(end, size);
    }
  }
}

TEST(ForEachByte, StopsWhereTheCallerSays) {
  std::string bytes(300, 'x');
  for (std::size_t i = 0; i < bytes.size(); i += 13) bytes[i] = ':';
  for (std::size_t stopAfter = 1; stopAfter <= 24; ++stopAfter) {
    std::size_t visits = 0;
    const std::size_t end =
        ForEachByte(bytes.data(), bytes.size(), ':', [&](std::size_t) { return ++visits < stopAfter; });
    EXPECT_EQ(visits, stopAfter);
    EXPECT_EQ(end, (stopAfter - 1) * 13);
  }
}

TEST(MarkBytes, SetsABitForEveryOccurrenceAndClearsTheRest) {
  std::mt19937 random(7);
  for (std::size_t size = 0; size < 300; ++size) {
    std::string bytes(size, 'x');
    for (char& c : bytes)
      if (random() % 5 == 0) c = ':';
    std::vector<std::uint64_t> words((size + 63) / 64, ~std::uint64_t{0});
    MarkBytes(bytes.data(), bytes.size(), ':', words.data());
    std::vector<std::size_t> marked;
    for (std::size_t i = 0; i < size; ++i)
      if (words[i / 64] >> (i % 64) & 1) marked.push_back(i);
    ASSERT_EQ(marked, PlainOffsets(bytes, ':')) << size;
    if (size % 64 != 0) {
      ASSERT_EQ(words.back() >> (size % 64), 0u) << size;  // nothing past the end
    }
  }
}

}  // namespace
}  // namespace tessel
