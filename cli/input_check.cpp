#include "cli/input_check.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "engine/platform_file.h"
#include "export/file_system.h"

namespace tessel::cli {

using exporting::KindOf;
using exporting::PathKind;

bool CheckReadableFile(const std::string& path, std::string& error) {
  std::string cause;
  switch (KindOf(path, &cause)) {
    case PathKind::kMissing:
      error = "cannot open '" + path + "': " + cause;
      return false;
    case PathKind::kFolder:
      error = "'" + path + "' is a folder, not a file";
      return false;
    case PathKind::kOther:
      error = "'" + path + "' is not a regular file";
      return false;
    case PathKind::kFile:
      break;
  }
  // Opened as the scan will open it (on Windows wide, with reading and
  // writing left to others).
  std::int64_t size = 0;
  errno = 0;
  platform::InputFile* file = platform::OpenInputFile(path, size);
  if (file == nullptr) {
    error = "cannot read '" + path + "': " + std::strerror(errno != 0 ? errno : EIO);
    return false;
  }
  platform::CloseInputFile(file);
  return true;
}

bool CheckChosenFile(const ChosenFile& chosen, std::string& error) {
  if (!CheckReadableFile(chosen.path, error)) return false;
  if (chosen.kind != FileKind::kIndex || CheckReadableFile(chosen.storePath, error)) return true;
  error = "no message store for the index '" + chosen.path + "': " + error;
  return false;
}

}  // namespace tessel::cli
