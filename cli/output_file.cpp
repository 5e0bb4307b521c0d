#include "cli/output_file.h"

#include <cerrno>
#include <cstring>

#include "cli/file_system.h"

namespace tessel::cli {

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::Create(const std::string& path, std::string& error) {
  path_ = path;
  file_ = CreateNewFile(path);
  if (file_ != nullptr) return true;
  if (errno == EEXIST) {
    error = "'" + path + "' already exists; tessel never overwrites a file (choose another name or folder)";
  } else {
    error = "cannot create '" + path + "': " + std::strerror(errno);
  }
  return false;
}

bool OutputFile::Write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
    errorCode_ = errno;
  }
  return !failed_;
}

bool OutputFile::Close(std::string& error) {
  if (file_ == nullptr) return !failed_;
  if (std::fclose(file_) != 0 && !failed_) {
    failed_ = true;
    errorCode_ = errno;
  }
  file_ = nullptr;
  if (failed_) error = "cannot write '" + path_ + "': " + std::strerror(errorCode_);
  return !failed_;
}

void OutputFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  std::remove(path_.c_str());
}

}  // namespace tessel::cli
