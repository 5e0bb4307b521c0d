// A failing disk for end-to-end runs of tessel: preloaded (LD_PRELOAD), it
// fails every read of the file named by TESSEL_FAIL_PATH that reaches the
// bytes [TESSEL_FAIL_FROM, TESSEL_FAIL_TO) with EIO, as a bad sector does. A
// read that starts before them comes back short, up to the first bad byte.
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <cstdio>

namespace {

using PreadFunction = ssize_t (*)(int, void*, size_t, off_t);

bool IsFailingFile(int descriptor) {
  const char* wanted = getenv("TESSEL_FAIL_PATH");
  if (wanted == nullptr) return false;
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
  char path[PATH_MAX];
  const ssize_t length = readlink(link, path, sizeof path - 1);
  if (length < 0) return false;
  path[length] = '\0';
  char real[PATH_MAX];
  return realpath(wanted, real) != nullptr && strcmp(real, path) == 0;
}

ssize_t FaultyPread(PreadFunction real, int descriptor, void* buffer, size_t count, off_t offset) {
  if (count > 0 && IsFailingFile(descriptor)) {
    const long long from = atoll(getenv("TESSEL_FAIL_FROM") ? getenv("TESSEL_FAIL_FROM") : "0");
    const long long to = atoll(getenv("TESSEL_FAIL_TO") ? getenv("TESSEL_FAIL_TO") : "0");
    const long long end = static_cast<long long>(offset) + static_cast<long long>(count);
    if (offset < to && from < end) {
      if (offset >= from) {
        errno = EIO;
        return -1;
      }
      count = static_cast<size_t>(from - offset);
    }
  }
  return real(descriptor, buffer, count, offset);
}

}  // namespace

extern "C" ssize_t pread(int descriptor, void* buffer, size_t count, off_t offset) {
  static const auto real = reinterpret_cast<PreadFunction>(dlsym(RTLD_NEXT, "pread"));
  return FaultyPread(real, descriptor, buffer, count, offset);
}

extern "C" ssize_t pread64(int descriptor, void* buffer, size_t count, off_t offset) {
  static const auto real = reinterpret_cast<PreadFunction>(dlsym(RTLD_NEXT, "pread64"));
  return FaultyPread(real, descriptor, buffer, count, offset);
}
