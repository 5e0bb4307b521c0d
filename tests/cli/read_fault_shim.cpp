// A failing disk for end-to-end runs of tessel: preloaded (LD_PRELOAD), it
// fails every read of the file named by TESSEL_FAIL_PATH that reaches the
// bytes [TESSEL_FAIL_FROM, TESSEL_FAIL_TO) with EIO, as a bad sector does. A
// read that starts before them comes back short, up to the first bad byte.
// TESSEL_FAIL_AFTER=N lets the first N such reads through, as a weak sector
// that reads once and then fails; TESSEL_FAIL_AS_END=1 makes them end the
// file there without an error, as a file cut short meanwhile does.
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {

using PreadFunction = ssize_t (*)(int, void*, size_t, off_t);

std::atomic<long long> readsReaching{0};

long long Setting(const char* name) { return atoll(getenv(name) ? getenv(name) : "0"); }

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
    const long long from = Setting("TESSEL_FAIL_FROM");
    const long long to = Setting("TESSEL_FAIL_TO");
    const long long end = static_cast<long long>(offset) + static_cast<long long>(count);
    if (offset < to && from < end && readsReaching.fetch_add(1) >= Setting("TESSEL_FAIL_AFTER")) {
      if (offset >= from) {
        if (Setting("TESSEL_FAIL_AS_END") != 0) return 0;
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
