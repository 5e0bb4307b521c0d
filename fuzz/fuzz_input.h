// Takes a fuzz input apart: small numbers from its front, the rest as text.
// Reads past the end give zeros, so every input means something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tessel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    const std::string_view byte = Take(1);
    return byte.empty() ? 0 : static_cast<std::uint8_t>(byte[0]);
  }
  std::int32_t Int() {
    std::int32_t value = 0;
    const std::string_view bytes = Take(sizeof value);
    std::memcpy(&value, bytes.data(), bytes.size());
    return value;
  }
  // Up to `count` bytes.
  std::string_view Take(std::size_t count) {
    const std::string_view taken = bytes_.substr(0, count);
    bytes_.remove_prefix(taken.size());
    return taken;
  }
  std::string_view Rest() { return Take(bytes_.size()); }
  bool Empty() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

}  // namespace tessel::fuzz
