// Windows-1252 lower-casing: A-Z, the Latin-1 capitals 0xC0-0xDE but the
// multiplication sign 0xD7, and the capitals that Windows-1252 puts among
// 0x80-0x9F: 0x8A, 0x8C, 0x8E and 0x9F.
#include "engine/platform_lower.h"

#include <array>

namespace tessel::platform {
namespace {

constexpr std::array<unsigned char, 256> MakeLowerTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 0x20);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 0x20);
  table[0x8A] = 0x9A;  // S with caron
  table[0x8C] = 0x9C;  // OE
  table[0x8E] = 0x9E;  // Z with caron
  table[0x9F] = 0xFF;  // Y with diaeresis
  return table;
}

constexpr std::array<unsigned char, 256> kLower = MakeLowerTable();

}  // namespace

void AnsiLowerInPlace(std::string& text) {
  for (char& c : text) c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
}

}  // namespace tessel::platform
