#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace tessel::testing {
namespace {
std::atomic<int> folderCount{0};
// Tells apart the folders of test programs that run at once: two builds of one
// suite run the same tests under the same names.
const std::string kRunTag = std::to_string(std::random_device{}());
}  // namespace

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

ScratchFolder::ScratchFolder() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "tessel-";
  if (test != nullptr) name += std::string(test->test_suite_name()) + "-" + test->name();
  name += "-" + kRunTag + "-" + std::to_string(folderCount++);
  for (char& c : name)
    if (c == '/') c = '_';
  folder_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ScratchFolder::Path(const std::string& name) const { return (folder_ / name).string(); }

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace tessel::testing
