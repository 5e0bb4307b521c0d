#include "cli/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/file_system.h"

namespace tessel::cli {
namespace {

class StreamWriter final : public FileWriter {
 public:
  // `owned`: the stream is closed on Close; otherwise only flushed (stdout).
  StreamWriter(std::FILE* stream, bool owned) : stream_(stream), owned_(owned) {}
  ~StreamWriter() override {
    if (stream_ != nullptr && owned_) std::fclose(stream_);
  }
  bool Write(std::string_view bytes) override {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size()) return true;
    errorCode_ = errno;
    return false;
  }
  bool Close() override {
    errno = 0;
    const bool closed = owned_ ? std::fclose(stream_) == 0 : std::fflush(stream_) == 0 && !std::ferror(stream_);
    if (owned_) stream_ = nullptr;
    if (!closed) errorCode_ = errno;
    return closed;
  }
  int ErrorCode() const override { return errorCode_; }

 private:
  std::FILE* stream_;
  bool owned_;
  int errorCode_ = 0;
};

class PlatformOpener final : public FileOpener {
 public:
  std::unique_ptr<FileWriter> CreateNew(const std::string& path) override {
    std::FILE* file = CreateNewFile(path);
    if (file == nullptr) return nullptr;
    return std::make_unique<StreamWriter>(file, true);
  }
  std::unique_ptr<FileWriter> StandardOutput() override { return std::make_unique<StreamWriter>(stdout, false); }
};

FileOpener* g_opener = nullptr;  // nullptr: the platform's

FileOpener& CurrentOpener() { return g_opener != nullptr ? *g_opener : PlatformFileOpener(); }

}  // namespace

FileOpener& PlatformFileOpener() {
  static PlatformOpener opener;
  return opener;
}

ScopedFileOpener::ScopedFileOpener(FileOpener& opener) : previous_(g_opener) { g_opener = &opener; }
ScopedFileOpener::~ScopedFileOpener() { g_opener = previous_; }

OutputFile::~OutputFile() {
  std::string ignored;
  if (writer_ != nullptr) {
    failed_ = true;
    Finish(ignored);
  }
}

bool OutputFile::Create(const std::string& path, std::string& error) {
  writer_ = CurrentOpener().CreateNew(path);
  if (writer_ != nullptr) {
    path_ = path;
    return true;
  }
  if (errno == EEXIST) {
    error = "'" + path + "' already exists; tessel never overwrites a file (choose another name or folder)";
  } else {
    error = "cannot create '" + path + "': " + std::strerror(errno);
  }
  return false;
}

void OutputFile::OpenStandardOutput() {
  writer_ = CurrentOpener().StandardOutput();
  path_.clear();
}

bool OutputFile::Write(std::string_view bytes) {
  if (writer_ == nullptr || failed_) return false;
  if (!writer_->Write(bytes)) {
    failed_ = true;
    errorCode_ = writer_->ErrorCode();
  }
  return !failed_;
}

bool OutputFile::Finish(std::string& error) {
  if (writer_ == nullptr) return false;
  // The first failure is the one to report; a close after it fails too.
  if (!writer_->Close() && !failed_) {
    failed_ = true;
    errorCode_ = writer_->ErrorCode();
  }
  writer_.reset();
  if (!failed_) return true;
  const std::string cause = errorCode_ != 0 ? std::strerror(errorCode_) : "write error";
  if (path_.empty()) {
    error = "cannot write to standard output: " + cause;
  } else {
    std::remove(path_.c_str());
    error = "cannot write '" + path_ + "': " + cause + "; the incomplete file is removed";
  }
  return false;
}

}  // namespace tessel::cli
