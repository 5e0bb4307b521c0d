#include "cli/input_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/message_store_scan.h"

namespace tessel::cli {

bool CheckReadableFile(const std::string& path, std::string& error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = "cannot open '" + path + "': " + std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error = "'" + path + "' is a folder, not a file";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = "'" + path + "' is not a regular file";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot read '" + path + "': " + std::strerror(errno);
    return false;
  }
  std::fclose(file);
  return true;
}

bool CheckMessageStoreInput(const std::string& path, std::string& error) {
  if (!CheckReadableFile(path, error)) return false;
  if (IsStorePath(path)) return true;
  const std::string store = StorePathForIndex(path);
  if (CheckReadableFile(store, error)) return true;
  error = "no message store for the index '" + path + "': " + error;
  return false;
}

}  // namespace tessel::cli
