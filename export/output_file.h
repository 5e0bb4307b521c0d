// Every file a save writes goes through OutputFile, so that tessel and the
// wizard treat files alike. What happens to a name that is taken is the
// caller's choice (Collision); everything else is the same for all: a file is
// either written completely or removed, and a write or close that fails
// leaves no partial file that could pass for a recovered one, and says which
// file and why.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tessel::exporting {

// What becomes of a file name that is taken.
enum class Collision {
  kRefuse,    // an error: nothing is ever overwritten (tessel)
  kNumbered,  // the first free of "name (2).ext", "name (3).ext", ... (the wizard's Save)
  kReplace,   // the file is emptied and written anew (the wizard's one preview file)
};

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
  // The file emptied, or made when there is none; nullptr with errno set.
  virtual std::unique_ptr<FileWriter> Replace(const std::string& path) = 0;
  // Standard output, for the bytes `tessel show` writes; closing it flushes it.
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

  // Creates the file at `path`, or under another name as `collision` says;
  // false with `error` set when it cannot be created.
  bool Create(const std::string& path, Collision collision, std::string& error);
  // Writes to standard output instead (never removed).
  void OpenStandardOutput();
  // False once a write has failed; later writes are not tried.
  bool Write(std::string_view bytes);
  // Closes the file. When a write or the close failed, removes the file and
  // returns false with `error` naming it and the cause.
  bool Finish(std::string& error);

  // The file's path: the numbered one when the name was taken; after a failed
  // Create, the path last tried.
  const std::string& Path() const { return path_; }
  // Why Create or Finish failed, in the system's words ("No space left on device").
  const std::string& Cause() const { return cause_; }

 private:
  std::unique_ptr<FileWriter> writer_;
  std::string path_;  // empty: standard output
  std::string cause_;
  bool failed_ = false;
  int errorCode_ = 0;
};

}  // namespace tessel::exporting
