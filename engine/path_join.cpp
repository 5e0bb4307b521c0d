#include "engine/path_join.h"

#include "engine/platform_file.h"

namespace tessel {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += platform::PathSeparator();
  path += name;
  return path;
}

}  // namespace tessel
