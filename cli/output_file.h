// Every file tessel writes is a new file: it is created only when nothing of
// that name exists, so no file (an input least of all) is ever overwritten.
// A file is either written completely or removed: a write or close that fails
// leaves no partial file that could pass for a recovered one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tessel::cli {

// Where an output file's bytes go. The real writer is a C runtime stream; tests
// put in a double that fails at a chosen call.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // False when not every byte was written (ErrorCode says why).
  virtual bool Write(std::string_view bytes) = 0;
  // Flushes and closes; false when that failed.
  virtual bool Close() = 0;
  // The C runtime's error code of the failure; 0 when none is known.
  virtual int ErrorCode() const = 0;
};

// Opens the writers of output files.
class FileOpener {
 public:
  virtual ~FileOpener() = default;
  // A new file; nullptr with errno set (EEXIST: something of that name exists).
  virtual std::unique_ptr<FileWriter> CreateNew(const std::string& path) = 0;
  // Standard output, for the bytes `show` writes; closing it flushes it.
  virtual std::unique_ptr<FileWriter> StandardOutput() = 0;
};

// The opener of the real files and standard output.
FileOpener& PlatformFileOpener();

// Makes output files open through `opener` while it lives (tests).
class ScopedFileOpener {
 public:
  explicit ScopedFileOpener(FileOpener& opener);
  ~ScopedFileOpener();
  ScopedFileOpener(const ScopedFileOpener&) = delete;
  ScopedFileOpener& operator=(const ScopedFileOpener&) = delete;

 private:
  FileOpener* previous_;
};

class OutputFile {
 public:
  OutputFile() = default;
  // A file that was not finished is incomplete: it is removed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the file; false with `error` set when a file of that name exists
  // or it cannot be created.
  bool Create(const std::string& path, std::string& error);
  // Writes to standard output instead (never removed).
  void OpenStandardOutput();
  // False once a write has failed; later writes are not tried.
  bool Write(std::string_view bytes);
  // Closes the file. When a write or the close failed, removes the file and
  // returns false with `error` naming it and the cause.
  bool Finish(std::string& error);

 private:
  std::unique_ptr<FileWriter> writer_;
  std::string path_;  // empty: standard output
  bool failed_ = false;
  int errorCode_ = 0;
};

}  // namespace tessel::cli
