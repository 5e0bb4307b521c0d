// Stopping tessel while it writes files: SIGTERM, SIGHUP (twice, as a closed
// terminal sends it) and Ctrl-C sent to the built program at work on large
// generated inputs. Whatever the moment, every file left is whole, a cut one
// is removed, stderr says that tessel stopped, and the exit status is 130.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "cli/interrupt.h"
#include "tests/cli/tessel_run.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
namespace mailfiles = tessel::mailfiles;
using tessel::testing::ReadAll;
using TesselRun = tessel::testing::Run;
using tessel::cli::StopOnInterrupt;
using tessel::testing::RunningTessel;
using tessel::testing::ScratchFolder;

// Enough messages (some 30 MB) that an export runs for seconds, not milliseconds.
constexpr int kMessages = 60000;

std::string Message(int number) {
  const std::string n = std::to_string(number);
  return mailfiles::CrLfLines({"From: sender" + n + "@example.org", "To: tom@example.net", "Subject: Message " + n,
                               "Date: Mon, 03 Mar 2008 09:14:22 +0100", "", "Body of message " + n,
                               std::string(400, 'x')});
}

// A store and its index of kMessages messages, numbered from 1 in row order.
std::string WriteStore(const ScratchFolder& folder) {
  std::string store, index = mailfiles::IndexHeader();
  for (int number = 1; number <= kMessages; ++number) {
    const std::string message = Message(number);
    store += message;
    index += mailfiles::IndexEntry(static_cast<std::uint32_t>(message.size()));
  }
  folder.Write("Big.imm", store);
  return folder.Write("Big.imh", index);
}

// The messages written, from the summary "wrote N messages to ...".
long long WrittenCount(const TesselRun& run) {
  std::smatch match;
  if (!std::regex_search(run.out, match, std::regex("wrote ([0-9]+) message"))) return -1;
  return std::stoll(match[1]);
}

std::size_t FileCount(const std::string& folder) {
  std::error_code error;
  std::size_t count = 0;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) ++count;
  return count;
}

template <typename Ready>
bool WaitFor(Ready ready) {
  for (int i = 0; i < 20000 && !ready(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return ready();
}

TEST(Stop, SigtermDuringAnEmlExportLeavesOnlyWholeMessages) {
  ScratchFolder folder;
  const std::string index = WriteStore(folder), out = folder.Path("out");
  RunningTessel tessel({"export", index, "--to", out}, folder.Root());
  ASSERT_TRUE(WaitFor([&] { return FileCount(out) >= 200; }));
  tessel.Signal(SIGTERM);
  const TesselRun run = tessel.Wait();
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_NE(run.err.find("stopped; the messages before the stop are written"), std::string::npos) << run.err;
  const long long written = WrittenCount(run);
  ASSERT_GE(written, 200) << run.out;
  ASSERT_LT(written, kMessages) << "the export ended before the signal";
  // Exactly the summary's files, each one whole.
  EXPECT_EQ(FileCount(out), static_cast<std::size_t>(written));
  for (int number = 1; number <= written; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "/MailRec%04d.eml", number);
    ASSERT_EQ(ReadAll(out + name), Message(number)) << name;
  }
}

TEST(Stop, SighupTwiceDuringAnMboxExportEndsTheMboxAfterAWholeMessage) {
  ScratchFolder folder;
  const std::string index = WriteStore(folder), mbox = folder.Path("out/MailRec.mbox");
  RunningTessel tessel({"export", index, "--to", folder.Path("out"), "--format", "mbox"}, folder.Root());
  ASSERT_TRUE(WaitFor([&] {
    std::error_code error;
    return fs::file_size(mbox, error) > (1u << 18) && !error;
  }));
  tessel.Signal(SIGHUP);
  // The kernel's and the shell's: the second, whenever it comes, must not end tessel, mid-message or after.
  std::this_thread::sleep_for(std::chrono::microseconds(300));
  tessel.Signal(SIGHUP);
  const TesselRun run = tessel.Wait();
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_NE(run.err.find("stopped"), std::string::npos) << run.err;
  const long long written = WrittenCount(run);
  ASSERT_GT(written, 0) << run.out;
  ASSERT_LT(written, kMessages) << "the export ended before the signal";
  std::string expected;
  for (int number = 1; number <= written; ++number) {
    std::string message = Message(number);
    for (std::size_t at = message.find("\r\n"); at != std::string::npos; at = message.find("\r\n", at)) {
      message.erase(at, 1);
    }
    expected += "From sender" + std::to_string(number) + "@example.org Mon Mar  3 08:14:22 2008\n" + message + "\n";
  }
  EXPECT_TRUE(ReadAll(mbox) == expected) << "the mbox is not the first " << written << " messages, whole";
}

// Each in a child process of its own, since a stop request is for the process's
// life: what a signal does before, while and after a stop guard is in place.
TEST(StopDeathTest, SystemRequestsOnlyStopAndSignalsIgnoredAtStartStayIgnored) {
  for (const int signal : {SIGHUP, SIGTERM}) {
    // Ignored at start (nohup, a background job): it neither stops tessel nor ends it.
    EXPECT_EXIT(
        {
          ::signal(signal, SIG_IGN);
          std::atomic<int> stop{0};
          {
            const StopOnInterrupt guard(stop);
            ::raise(signal);
          }
          std::exit(stop.load() == 0 && !StopOnInterrupt::Interrupted() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << signal;
    // The first request stops the work; a second, even once the guard is gone and
    // tessel is about to end, must not end it instead.
    EXPECT_EXIT(
        {
          ::signal(signal, SIG_DFL);
          std::atomic<int> stop{0};
          {
            const StopOnInterrupt guard(stop);
            ::raise(signal);
            if (stop.load() != 1) std::exit(1);
          }
          ::raise(signal);
          std::exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << signal;
  }
  // A second Ctrl-C ends the program at once.
  EXPECT_EXIT(
      {
        ::signal(SIGINT, SIG_DFL);
        std::atomic<int> stop{0};
        const StopOnInterrupt guard(stop);
        ::raise(SIGINT);
        if (stop.load() == 1) ::raise(SIGINT);
        std::exit(1);
      },
      ::testing::KilledBySignal(SIGINT), "");
}

// An address book big enough that reading and writing it take a while.
std::string WriteBook(const ScratchFolder& folder) {
  std::string book(mailfiles::kAddressBookHeaderSize, 'H');
  for (int i = 1; i <= 40000; ++i) {
    const std::string n = std::to_string(i);
    book += mailfiles::ContactRecord({{1, "Anna" + n}, {4, "Anna Berger " + n}, {5, "anna" + n + "@example.org"}});
  }
  return folder.Write("Book.imb", book);
}

TEST(Stop, CtrlCOrSigtermWhileContactsAreReadOrWrittenLeavesNoCutFile) {
  ScratchFolder folder;
  const std::string book = WriteBook(folder);
  for (const int signal : {SIGINT, SIGTERM}) {
    const std::string vcf = folder.Path("c" + std::to_string(signal) + ".vcf");
    RunningTessel tessel({"contacts", book, "--to", vcf}, folder.Root());
    // Sent as soon as tessel routes it: while the book is read, or its file written.
    ASSERT_TRUE(tessel.WaitUntilCatching(signal)) << signal;
    tessel.Signal(signal);
    const TesselRun run = tessel.Wait();
    if (run.exitCode == 0) {
      // A machine busy enough to let tessel finish first: the file is whole.
      const std::string cards = ReadAll(vcf);
      EXPECT_EQ(cards.size() - cards.rfind("Anna Berger 1\r\nEND:VCARD\r\n"), 27u) << signal;
      continue;
    }
    EXPECT_EQ(run.exitCode, 130) << signal << ": " << run.err;
    EXPECT_NE(run.err.find("tessel: stopped before "), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(vcf)) << signal;
  }
}

}  // namespace
