// Files for tests: a fresh folder per test that removes itself, and whole-file
// reads.
#pragma once

#include <filesystem>
#include <string>

namespace tessel::testing {

// The whole file's bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// A fresh folder under the temporary folder, named after the running test and
// removed with everything in it when this goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Root() const { return folder_.string(); }
  std::string Path(const std::string& name) const;
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const { return ReadAll(Path(name)); }

 private:
  std::filesystem::path folder_;
};

}  // namespace tessel::testing
