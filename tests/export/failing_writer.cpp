#include "tests/export/failing_writer.h"

namespace tessel::testing {
namespace {

class FailingWriter final : public exporting::FileWriter {
 public:
  // `real` nullptr: standard output, into the opener's buffer.
  FailingWriter(FailingFileOpener& opener, std::string path, std::unique_ptr<exporting::FileWriter> real)
      : opener_(opener), path_(std::move(path)), real_(std::move(real)) {}

  bool Write(std::string_view bytes) override {
    const bool fails = opener_.FailsNow(path_);
    // A disk that fills up takes part of a write before it refuses the rest.
    const std::string_view taken = fails ? bytes.substr(0, bytes.size() / 2) : bytes;
    if (real_ != nullptr) {
      if (!real_->Write(taken)) return Refuse(real_->ErrorCode());
    } else {
      opener_.StandardOutputBuffer().append(taken);
    }
    return fails ? Refuse(opener_.ErrorCode()) : true;
  }
  bool Close() override {
    const bool fails = opener_.FailsNow(path_);
    if (real_ != nullptr && !real_->Close()) return Refuse(real_->ErrorCode());
    return fails ? Refuse(opener_.ErrorCode()) : true;
  }
  int ErrorCode() const override { return errorCode_; }

 private:
  bool Refuse(int code) {
    errorCode_ = code;
    return false;
  }

  FailingFileOpener& opener_;
  std::string path_;
  std::unique_ptr<exporting::FileWriter> real_;
  int errorCode_ = 0;
};

}  // namespace

std::unique_ptr<exporting::FileWriter> FailingFileOpener::CreateNew(const std::string& path) {
  std::unique_ptr<exporting::FileWriter> real = exporting::PlatformFileOpener().CreateNew(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<FailingWriter>(*this, path, std::move(real));
}

std::unique_ptr<exporting::FileWriter> FailingFileOpener::Replace(const std::string& path) {
  std::unique_ptr<exporting::FileWriter> real = exporting::PlatformFileOpener().Replace(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<FailingWriter>(*this, path, std::move(real));
}

std::unique_ptr<exporting::FileWriter> FailingFileOpener::StandardOutput() {
  return std::make_unique<FailingWriter>(*this, "", nullptr);
}

bool FailingFileOpener::FailsNow(const std::string& path) {
  if (++calls_ != failAt_) return false;
  failed_ = true;
  failedPath_ = path;
  return true;
}

}  // namespace tessel::testing
