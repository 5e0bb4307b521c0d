// Output files that fail at a chosen call, as a disk that fills up or a close
// that fails would make them, without needing either. Calls are counted over
// every file opened through the opener, writes and closes alike, from 1.
#pragma once

#include <cerrno>
#include <memory>
#include <string>

#include "export/output_file.h"

namespace tessel::testing {

class FailingFileOpener final : public exporting::FileOpener {
 public:
  // `failAt` 0: no call fails (a clean run, to count the calls).
  explicit FailingFileOpener(long long failAt, int errorCode = ENOSPC) : failAt_(failAt), errorCode_(errorCode) {}

  // Real new files: a failed write has written half its bytes, a failed close
  // has closed the file, so whatever the command leaves behind is on disk.
  std::unique_ptr<exporting::FileWriter> CreateNew(const std::string& path) override;
  std::unique_ptr<exporting::FileWriter> Replace(const std::string& path) override;
  // Standard output, gathered in StandardOutputBuffer().
  std::unique_ptr<exporting::FileWriter> StandardOutput() override;

  long long Calls() const { return calls_; }
  bool Failed() const { return failed_; }
  // The file whose call failed; "" for standard output.
  const std::string& FailedPath() const { return failedPath_; }

  // Counts a call of the file `path`; true when this one is to fail.
  bool FailsNow(const std::string& path);
  int ErrorCode() const { return errorCode_; }
  std::string& StandardOutputBuffer() { return stdout_; }

 private:
  long long failAt_;
  int errorCode_;
  long long calls_ = 0;
  bool failed_ = false;
  std::string failedPath_;
  std::string stdout_;
};

}  // namespace tessel::testing
