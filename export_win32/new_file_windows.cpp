// New files on Windows, through the C runtime's narrow calls, which take names
// in the system code page as the command line and the wizard bring them.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "export/new_file.h"

namespace tessel::exporting {

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "wb");
  if (file == nullptr) ::_close(fd);
  return file;
}

}  // namespace tessel::exporting
