// New files on Windows, through the C runtime's wide calls, which take any
// name whatever the system code page; our paths are UTF-8.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdio>

#include "win32_base/wide_path.h"
#include "export/new_file.h"

namespace tessel::exporting {

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = ::_wopen(WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "wb");
  if (file == nullptr) ::_close(fd);
  return file;
}

std::FILE* CreateEmptiedFile(const std::string& path) { return ::_wfopen(WidePath(path).c_str(), L"wb"); }

}  // namespace tessel::exporting
