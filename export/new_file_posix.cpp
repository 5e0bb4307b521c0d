// New files on Linux and macOS.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "export/new_file.h"

namespace tessel::exporting {

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) ::close(fd);
  return file;
}

std::FILE* CreateEmptiedFile(const std::string& path) { return std::fopen(path.c_str(), "wb"); }

}  // namespace tessel::exporting
