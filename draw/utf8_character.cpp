#include "draw/utf8_character.h"

namespace tessel {
namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes of a character with this lead byte; 0 when it cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte, or an overlong two-byte lead
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF5) return 4;
  return 0;
}

}  // namespace

Utf8Character ReadUtf8Character(std::string_view text) {
  auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  const std::size_t length = SequenceLength(lead);
  if (length == 0) return {};
  if (length == 1) return {lead, 1};
  // The second byte's range: no overlong forms (E0, F0), no surrogates (ED),
  // and after F4 no value past the largest a character may have (0x10FFFF).
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= text.size() || !IsContinuationByte(byte(i))) return {kReplacementCharacter, i};
    if (i == 1 && (byte(i) < low || byte(i) > high)) return {kReplacementCharacter, 2};
    value = (value << 6) | (byte(i) & 0x3F);
  }
  return {value, length};
}

}  // namespace tessel
