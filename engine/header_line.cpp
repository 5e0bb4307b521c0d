#include "engine/header_line.h"

namespace tessel {

std::size_t FieldNameColon(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] > ' ' && line[i] <= '~' && line[i] != ':') ++i;
  return i > 0 && i < line.size() && line[i] == ':' ? i : std::string_view::npos;
}

}  // namespace tessel
