// Every file tessel writes is a new file: it is created only when nothing of
// that name exists, so no file (an input least of all) is ever overwritten.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tessel::cli {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the file; false with `error` set when a file of that name exists
  // or it cannot be created.
  bool Create(const std::string& path, std::string& error);
  bool Write(std::string_view bytes);
  // Closes the file; false when a write or the close failed (`error` set).
  bool Close(std::string& error);
  // Closes and deletes a file this object created (after a failure).
  void Discard();

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  bool failed_ = false;
  int errorCode_ = 0;
};

}  // namespace tessel::cli
