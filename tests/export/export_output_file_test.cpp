// Output files: what each collision policy does with a name that is taken, and
// that a file is complete or gone, whichever policy made it.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/output_file.h"
#include "tests/export/failing_writer.h"
#include "tests/support/scratch_folder.h"

namespace tessel::exporting {
namespace {

namespace fs = std::filesystem;
using tessel::testing::FailingFileOpener;
using tessel::testing::ScratchFolder;

// Creates, writes and finishes `path` under `collision`; the path it got, or
// "" with `error` set.
std::string WriteFile(const std::string& path, Collision collision, const std::string& bytes, std::string& error) {
  OutputFile file;
  if (!file.Create(path, collision, error) || !file.Write(bytes) || !file.Finish(error)) return "";
  return file.Path();
}

TEST(OutputFile, RefuseLeavesAnExistingFileAloneAndSaysSo) {
  ScratchFolder folder;
  const std::string path = folder.Write("Inbox.imm", "precious");
  std::string error;
  EXPECT_EQ(WriteFile(path, Collision::kRefuse, "overwritten", error), "");
  EXPECT_EQ(error, "'" + path + "' already exists, and nothing is ever overwritten (choose another name or folder)");
  EXPECT_EQ(folder.Read("Inbox.imm"), "precious");

  EXPECT_EQ(WriteFile(folder.Path("missing/a.eml"), Collision::kRefuse, "x", error), "");
  EXPECT_EQ(error.rfind("cannot create '" + folder.Path("missing/a.eml") + "': ", 0), 0u) << error;
  EXPECT_EQ(WriteFile(folder.Path("a.eml"), Collision::kRefuse, std::string("x\0y", 3), error), folder.Path("a.eml"));
  EXPECT_EQ(folder.Read("a.eml"), std::string("x\0y", 3));
}

TEST(OutputFile, NumberedTakesTheFirstFreeNameAndTouchesNoOther) {
  ScratchFolder folder;
  fs::create_directories(folder.Path("mail.d"));
  folder.Write("mail.d/MailRec0007.eml", "first");
  folder.Write("mail.d/MailRec0007 (2).eml", "second");
  std::string error;
  EXPECT_EQ(WriteFile(folder.Path("mail.d/MailRec0007.eml"), Collision::kNumbered, "third", error),
            folder.Path("mail.d/MailRec0007 (3).eml"));
  EXPECT_EQ(folder.Read("mail.d/MailRec0007.eml"), "first");
  EXPECT_EQ(folder.Read("mail.d/MailRec0007 (2).eml"), "second");
  EXPECT_EQ(folder.Read("mail.d/MailRec0007 (3).eml"), "third");
  // A name without an extension is numbered at its end, not at a folder's dot.
  folder.Write("mail.d/AddBook", "old");
  EXPECT_EQ(WriteFile(folder.Path("mail.d/AddBook"), Collision::kNumbered, "new", error),
            folder.Path("mail.d/AddBook (2)"));
  // A failure other than a taken name is not numbered around.
  EXPECT_EQ(WriteFile(folder.Path("missing/x.eml"), Collision::kNumbered, "x", error), "");
  EXPECT_FALSE(fs::exists(folder.Path("missing")));
}

TEST(OutputFile, ReplaceEmptiesTheFileItFinds) {
  ScratchFolder folder;
  const std::string path = folder.Write("oxbtemp.eml", std::string(9000, 'o'));
  std::string error;
  EXPECT_EQ(WriteFile(path, Collision::kReplace, "short", error), path);
  EXPECT_EQ(folder.Read("oxbtemp.eml"), "short");
  // A folder in the file's place cannot be replaced.
  fs::create_directories(folder.Path("taken.eml"));
  EXPECT_EQ(WriteFile(folder.Path("taken.eml"), Collision::kReplace, "x", error), "");
  EXPECT_TRUE(fs::is_directory(folder.Path("taken.eml")));
}

TEST(OutputFile, AFailedWriteOrCloseRemovesTheFileAndNamesIt) {
  for (const Collision collision : {Collision::kRefuse, Collision::kNumbered, Collision::kReplace}) {
    // Calls: the first write, the second write, the close.
    for (long long failAt = 1; failAt <= 3; ++failAt) {
      SCOPED_TRACE("policy " + std::to_string(static_cast<int>(collision)) + ", call " + std::to_string(failAt));
      ScratchFolder folder;
      const std::string path = folder.Path("part.eml");
      if (collision == Collision::kReplace) folder.Write("part.eml", "the preview before");
      FailingFileOpener failing(failAt);
      const ScopedFileOpener use(failing);
      OutputFile file;
      std::string error;
      ASSERT_TRUE(file.Create(path, collision, error)) << error;
      file.Write("first half ");
      file.Write("second half");
      EXPECT_FALSE(file.Finish(error));
      EXPECT_EQ(error, "cannot write '" + path + "': No space left on device; the incomplete file is removed");
      EXPECT_EQ(file.Cause(), "No space left on device");
      EXPECT_FALSE(fs::exists(path));
    }
  }
}

TEST(OutputFile, AFileLeftUnfinishedIsRemoved) {
  ScratchFolder folder;
  {
    OutputFile file;
    std::string error;
    ASSERT_TRUE(file.Create(folder.Path("part.eml"), Collision::kNumbered, error));
    file.Write("half");
  }
  EXPECT_FALSE(fs::exists(folder.Path("part.eml")));
}

}  // namespace
}  // namespace tessel::exporting
