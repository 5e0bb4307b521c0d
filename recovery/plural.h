// Counts in words, "1 message", "2 messages": one rule for every front end,
// so the wizard, tessel and the report say a count alike.
#pragma once

#include <string>
#include <string_view>

namespace tessel::recovery {

// `count` and its noun: `noun` for one, else `plural` (by default `noun` and "s").
inline std::string Counted(long long count, std::string_view noun, std::string_view plural = {}) {
  std::string text = std::to_string(count) + " ";
  if (count == 1) return text.append(noun);
  if (!plural.empty()) return text.append(plural);
  return text.append(noun).append("s");
}

}  // namespace tessel::recovery
