// A store larger than 4 GiB, with messages past 2 GiB and past 4 GiB that its
// index places there: their offsets and bytes come out exact through scan,
// show and export, where 32-bit offsets would wrap. The store is a sparse
// file: only the messages take disk space, and only they are read.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/tessel_run.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace mailfiles = tessel::mailfiles;
using tessel::testing::Quoted;
using tessel::testing::ReadAll;
using tessel::testing::RunTessel;

constexpr std::int64_t kPast2GiB = 0x90000000LL;   // 2.25 GiB
constexpr std::int64_t kPast4GiB = 0x110000000LL;  // 4.25 GiB
constexpr std::int64_t kTail = 4096;               // bytes of store after the last message

std::string Message(const std::string& subject) {
  return mailfiles::CrLfLines({"From: far@example.org", "To: tom@example.net", "Subject: " + subject,
                               "Date: Mon, 03 Mar 2008 09:14:22 +0100", "MIME-Version: 1.0", "", "Far out"});
}

std::string WithLf(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

std::string EmlName(const std::string& row) {
  return "MailRec" + std::string(4 - std::min<size_t>(4, row.size()), '0') + row + ".eml";
}

bool WriteAt(int fd, std::int64_t offset, const std::string& bytes) {
  return ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(bytes.size());
}

TEST(LargeStore, MessagesPast2And4GiBKeepTheirOffsetsAndBytes) {
  static_assert(sizeof(off_t) >= 8, "the test needs 64-bit file offsets");
  tessel::testing::ScratchFolder folder;
  const std::string near = Message("Past 2 GiB"), far = Message("Past 4 GiB");
  const std::int64_t size = kPast4GiB + static_cast<std::int64_t>(far.size()) + kTail;
  const std::string store = folder.Path("Big.imm");
  const int fd = ::open(store.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const bool made =
      ::ftruncate(fd, static_cast<off_t>(size)) == 0 && WriteAt(fd, kPast2GiB, near) && WriteAt(fd, kPast4GiB, far);
  struct stat info {};
  const bool sparse = made && ::fstat(fd, &info) == 0 && static_cast<std::int64_t>(info.st_blocks) * 512 < size / 16;
  ::close(fd);
  if (!sparse) {
    std::remove(store.c_str());
    GTEST_SKIP() << "the file system cannot make a sparse file of " << size << " bytes";
  }
  // Two gaps of zeros stand as messages of their own, so the messages after them lie where they were written.
  const auto length = [](std::int64_t bytes) { return static_cast<std::uint32_t>(bytes); };
  folder.Write("Big.imh", mailfiles::IndexHeader() + mailfiles::IndexEntry(length(kPast2GiB)) +
                              mailfiles::IndexEntry(length(near.size())) +
                              mailfiles::IndexEntry(length(kPast4GiB - kPast2GiB - near.size())) +
                              mailfiles::IndexEntry(length(far.size())));

  const tessel::testing::Run scan = RunTessel("scan --format tsv " + Quoted(folder.Path("Big.imh")), folder.Root());
  ASSERT_EQ(scan.exitCode, 0) << scan.err;
  // The row numbers of the two messages, and their offset and length cells.
  std::istringstream lines(scan.out);
  std::string line, nearRow, farRow;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.find("\tPast 2 GiB\t") != std::string::npos) {
      nearRow = std::to_string(number);
      EXPECT_NE(line.find("\t2415919104\t" + std::to_string(near.size())), std::string::npos) << line;
    }
    if (line.find("\tPast 4 GiB\t") != std::string::npos) {
      farRow = std::to_string(number);
      EXPECT_NE(line.find("\t4563402752\t" + std::to_string(far.size())), std::string::npos) << line;
    }
  }
  ASSERT_FALSE(nearRow.empty() || farRow.empty()) << scan.out;

  const tessel::testing::Run show = RunTessel("show " + Quoted(folder.Path("Big.imh")) + " " + farRow, folder.Root());
  EXPECT_EQ(show.exitCode, 0) << show.err;
  EXPECT_EQ(show.out, far);

  for (const char* format : {"eml", "mbox"}) {
    const std::string out = folder.Path(format);
    const tessel::testing::Run run = RunTessel("export " + Quoted(folder.Path("Big.imh")) + " --to " + Quoted(out) +
                                                   " --format " + format + " --rows " + nearRow + "," + farRow,
                                               folder.Root());
    EXPECT_EQ(run.exitCode, 0) << format << ": " << run.err;
    if (std::string(format) == "eml") {
      EXPECT_EQ(ReadAll(out + "/" + EmlName(nearRow)), near);
      EXPECT_EQ(ReadAll(out + "/" + EmlName(farRow)), far);
    } else {
      const std::string from = "From far@example.org Mon Mar  3 08:14:22 2008\n";
      EXPECT_EQ(ReadAll(out + "/MailRec.mbox"), from + WithLf(near) + "\n" + from + WithLf(far) + "\n");
    }
  }
}

}  // namespace
