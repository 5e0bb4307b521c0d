// Searching bytes in memory with the C library's fastest tools.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessel {

// The offset of the first occurrence of `pattern` in `bytes`, or npos.
std::size_t FindBytes(std::string_view bytes, std::string_view pattern);

}  // namespace tessel
