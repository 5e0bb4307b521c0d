#include "export/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "export/export_names.h"
#include "export/file_system.h"
#include "export/new_file.h"

namespace tessel::exporting {
namespace {

// Numbered names tried before a save gives up on finding a free one.
constexpr int kMostAttempts = 10000;

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

std::unique_ptr<FileWriter> OwnedWriter(std::FILE* file) {
  if (file == nullptr) return nullptr;
  return std::make_unique<StreamWriter>(file, true);
}

class PlatformOpener final : public FileOpener {
 public:
  std::unique_ptr<FileWriter> CreateNew(const std::string& path) override { return OwnedWriter(CreateNewFile(path)); }
  std::unique_ptr<FileWriter> Replace(const std::string& path) override { return OwnedWriter(CreateEmptiedFile(path)); }
  std::unique_ptr<FileWriter> StandardOutput() override { return std::make_unique<StreamWriter>(stdout, false); }
};

FileOpener* g_opener = nullptr;  // nullptr: the platform's

FileOpener& CurrentOpener() { return g_opener != nullptr ? *g_opener : PlatformFileOpener(); }

std::string CauseOf(int code, const char* unknown) { return code != 0 ? std::strerror(code) : unknown; }

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

bool OutputFile::Create(const std::string& path, Collision collision, std::string& error) {
  FileOpener& opener = CurrentOpener();
  const int attempts = collision == Collision::kNumbered ? kMostAttempts : 1;
  for (int attempt = 1; attempt <= attempts && writer_ == nullptr; ++attempt) {
    path_ = NumberedFileName(path, attempt);
    errno = 0;
    writer_ = collision == Collision::kReplace ? opener.Replace(path_) : opener.CreateNew(path_);
    if (writer_ == nullptr && errno != EEXIST) break;
  }
  if (writer_ != nullptr) {
    failed_ = false;
    cause_.clear();
    return true;
  }
  const int code = errno;
  if (code == EEXIST && collision == Collision::kRefuse) {
    cause_ = std::strerror(code);
    // Both front ends write through here: the words name neither.
    error = "'" + path_ + "' already exists, and nothing is ever overwritten (choose another name or folder)";
    return false;
  }
  if (code == EEXIST) path_ = path;  // every numbered name was taken: the name asked for is the one to report
  cause_ = code == EEXIST ? "every numbered name is taken" : CauseOf(code, "unknown error");
  error = "cannot create '" + path_ + "': " + cause_;
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
  cause_ = CauseOf(errorCode_, "write error");
  if (path_.empty()) {
    error = "cannot write to standard output: " + cause_;
  } else {
    RemoveFile(path_);
    error = "cannot write '" + path_ + "': " + cause_ + "; the incomplete file is removed";
  }
  return false;
}

}  // namespace tessel::exporting
