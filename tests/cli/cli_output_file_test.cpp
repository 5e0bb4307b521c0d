// Output files are always new: an existing file is never touched.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/output_file.h"
#include "tests/support/scratch_folder.h"

namespace tessel::cli {
namespace {

using tessel::testing::ReadAll;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = scratch_.Root(); }
  tessel::testing::ScratchFolder scratch_;
  std::string folder_;
};

TEST_F(OutputFileTest, CreatesAndWritesANewFile) {
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Create(folder_ + "/a.eml", error)) << error;
  EXPECT_TRUE(file.Write(std::string("x\0y", 3)));
  EXPECT_TRUE(file.Close(error));
  EXPECT_EQ(ReadAll(folder_ + "/a.eml"), std::string("x\0y", 3));
}

TEST_F(OutputFileTest, RefusesAnExistingFileAndLeavesItAlone) {
  const std::string path = folder_ + "/Inbox.imm";
  std::ofstream(path) << "precious";
  OutputFile file;
  std::string error;
  EXPECT_FALSE(file.Create(path, error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
  EXPECT_FALSE(file.Write("overwritten"));
  EXPECT_EQ(ReadAll(path), "precious");
}

TEST_F(OutputFileTest, ReportsAFolderThatDoesNotExist) {
  OutputFile file;
  std::string error;
  EXPECT_FALSE(file.Create(folder_ + "/missing/a.eml", error));
  EXPECT_NE(error.find("cannot create"), std::string::npos);
}

TEST_F(OutputFileTest, DiscardRemovesOnlyItsOwnFile) {
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Create(folder_ + "/part.eml", error));
  file.Write("half");
  file.Discard();
  EXPECT_FALSE(std::ifstream(folder_ + "/part.eml").good());
}

}  // namespace
}  // namespace tessel::cli
