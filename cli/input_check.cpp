#include "cli/input_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessel::cli {
namespace {

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

}  // namespace

bool CheckChosenFile(const ChosenFile& chosen, std::string& error) {
  if (!CheckReadableFile(chosen.path, error)) return false;
  if (chosen.kind != FileKind::kIndex || CheckReadableFile(chosen.storePath, error)) return true;
  error = "no message store for the index '" + chosen.path + "': " + error;
  return false;
}

}  // namespace tessel::cli
