// The identity export over the bundled samples, whose damaged index makes the
// usual walk list 23 rows for 13 messages, and over folders that once hurt:
// links in loops, names that are no file names, entries that cannot be read.
#include "moving/identity_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/deep_scan.h"
#include "engine/memory_rows.h"
#include "engine/path_join.h"
#include "tests/support/scratch_folder.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#endif

namespace tessel::moving {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;

// Messages of an mbox: its "From " lines (the quoting leaves no other at a line's start).
long long MboxMessages(const std::string& mbox) {
  long long count = mbox.rfind("From ", 0) == 0 ? 1 : 0;
  for (std::size_t at = mbox.find("\nFrom "); at != std::string::npos; at = mbox.find("\nFrom ", at + 1)) ++count;
  return count;
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Records what the export reports, and asks for a stop when told to.
class Recorder final : public IdentityExportProgress {
 public:
  void Planned(const std::vector<InputReport>& inputs) override { planned = inputs.size(); }
  void InputStarted(std::size_t index, const InputReport&) override {
    events.push_back("start " + std::to_string(index));
  }
  void InputAdvanced(std::size_t index, const InputReport& input) override {
    if (stopIn == static_cast<int>(index) && input.Messages() > 0) stop = true;
  }
  void InputFinished(std::size_t index, const InputReport&) override {
    events.push_back("end " + std::to_string(index));
  }
  void Overall(std::int64_t done, std::int64_t total) override {
    lastDone = done;
    lastTotal = total;
  }
  bool StopRequested() override { return stop; }

  std::size_t planned = 0;
  std::vector<std::string> events;
  std::int64_t lastDone = -1, lastTotal = -1;
  int stopIn = -1;  // the input during which to stop
  bool stop = false;
};

class IdentityExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"in", "in/Mail"}) fs::create_directory(scratch_.Path(folder));
    for (const char* name : {"Inbox.imm", "Inbox.imh", "Contacts.imb"}) {
      fs::copy_file(std::string(SAMPLES_DIR) + "/" + name, scratch_.Path(std::string("in/") + name));
    }
    for (const char* name : {"Inbox.imm", "Inbox.imh"}) {
      fs::copy_file(std::string(SAMPLES_DIR) + "/" + name, scratch_.Path(std::string("in/Mail/") + name));
    }
  }

  IdentityExportResult Export(const std::string& out, IdentityFormat format, Recorder& recorder) {
    IdentityExportOptions options;
    options.format = format;
    return ExportIdentity(In(), scratch_.Path(out), options, recorder);
  }
  std::string In() const { return scratch_.Path("in"); }

  testing::ScratchFolder scratch_;
};

TEST_F(IdentityExportTest, EveryMessageOnceTheIndexedOnesApartAndNothingOverwritten) {
  // What the deep scan tells apart, counted independently.
  MemoryRows rows;
  MemoryProgressBar bar;
  std::atomic<int> stop{0};
  recovery::RunScan(ResolveChosenFile(std::string(SAMPLES_DIR) + "/Inbox.imh"), ScanMode::kDeep, stop, rows, bar);
  long long indexed = 0, foundOnly = 0;
  for (const MessageRow& row : rows.Messages()) {
    indexed += row.origin == Origin::kIndex;
    foundOnly += row.origin == Origin::kStore;
  }
  ASSERT_EQ(indexed + foundOnly, 13) << "the sample's 13 messages";
  ASSERT_GT(foundOnly, 0);

  Recorder recorder;
  const IdentityExportResult result = Export("out", IdentityFormat::kMbox, recorder);
  ASSERT_TRUE(result.refused.empty()) << result.refused;
  EXPECT_TRUE(result.Complete());
  EXPECT_EQ(Listing(scratch_.Path("out")),
            (std::vector<std::string>{"Contacts.csv", "Contacts.vcf", "Inbox (found only in the store).mbox",
                                      "Inbox.mbox", "Mail - Inbox (found only in the store).mbox", "Mail - Inbox.mbox",
                                      "Recovery report.txt"}));
  const std::string inbox = scratch_.Read("out/Inbox.mbox");
  EXPECT_EQ(MboxMessages(inbox), indexed);
  EXPECT_EQ(MboxMessages(scratch_.Read("out/Inbox (found only in the store).mbox")), foundOnly);
  EXPECT_EQ(scratch_.Read("out/Mail - Inbox.mbox"), inbox) << "stores of one name kept apart, both whole";
  EXPECT_EQ(scratch_.Read("out/Contacts.vcf").rfind("BEGIN:VCARD\r\n", 0), 0u);
  ASSERT_EQ(result.inputs.size(), 3u);
  EXPECT_EQ(result.inputs[1].listed, indexed);
  EXPECT_EQ(result.inputs[1].foundOnly, foundOnly);

  const std::string report = scratch_.Read("out/Recovery report.txt");
  EXPECT_NE(report.find("Mail/Inbox.imh (index and store)\r\n  " + std::to_string(indexed) +
                        " messages listed by the index -> Mail - Inbox.mbox\r\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(report, [&] {
    std::string crlf;
    for (const char c : IdentityReportText(In(), result)) crlf += c == '\n' ? "\r\n" : std::string(1, c);
    return crlf;
  }()) << "the file and tessel's standard output say the same";

  EXPECT_EQ(recorder.planned, 3u);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"start 0", "end 0", "start 1", "end 1", "start 2", "end 2"}));
  EXPECT_EQ(recorder.lastDone, recorder.lastTotal);

  // Again into the same folder: refused before anything is written, naming
  // a file that is there; none is touched.
  Recorder again;
  const IdentityExportResult second = Export("out", IdentityFormat::kMbox, again);
  EXPECT_EQ(second.refused, "'" + JoinPath(scratch_.Path("out"), "Recovery report.txt") +
                                "' exists already, and nothing is ever overwritten: choose an output folder that is "
                                "new or empty");
  EXPECT_TRUE(second.inputs.empty());
  EXPECT_EQ(again.planned, 0u);
  EXPECT_EQ(scratch_.Read("out/Inbox.mbox"), inbox);
  EXPECT_EQ(scratch_.Read("out/Recovery report.txt"), report);

  // The wizard's way: a new subfolder each time, so a second move is whole too.
  for (const char* expected : {"Recovered mail", "Recovered mail (2)"}) {
    IdentityExportOptions options;
    options.subfolder = "Recovered mail";
    Recorder into;
    const IdentityExportResult moved = ExportIdentity(In(), scratch_.Path("out"), options, into);
    EXPECT_TRUE(moved.Complete()) << moved.refused;
    EXPECT_EQ(moved.outFolder, JoinPath(scratch_.Path("out"), expected));
    EXPECT_EQ(scratch_.Read(std::string("out/") + expected + "/Inbox.mbox"), inbox);
    EXPECT_EQ(moved.reportPath, JoinPath(moved.outFolder, "Recovery report.txt"));
  }

  // Never into the folder read, however it is written.
  Recorder inside;
  const IdentityExportResult refused =
      ExportIdentity(In(), scratch_.Path("in/Mail/../Mail/new"), IdentityExportOptions{}, inside);
  EXPECT_NE(refused.refused.find("lies inside"), std::string::npos) << refused.refused;
  EXPECT_FALSE(fs::exists(scratch_.Path("in/Mail/new")));
}

TEST_F(IdentityExportTest, AStopKeepsTheFinishedFilesAndRemovesTheOneInProgress) {
  for (const IdentityFormat format : {IdentityFormat::kMbox, IdentityFormat::kEml}) {
    const std::string out = format == IdentityFormat::kMbox ? "mbox" : "eml";
    Recorder recorder;
    recorder.stopIn = 1;  // Inbox.imh, after its first messages are written
    const IdentityExportResult result = Export(out, format, recorder);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.Complete());
    ASSERT_EQ(result.inputs.size(), 3u);
    EXPECT_EQ(result.inputs[0].state, InputState::kDone);
    EXPECT_EQ(result.inputs[1].state, InputState::kStopped);
    EXPECT_EQ(result.inputs[2].state, InputState::kWaiting);
    EXPECT_EQ(Listing(scratch_.Path(out)),
              (std::vector<std::string>{"Contacts.csv", "Contacts.vcf", "Recovery report.txt"}))
        << out;
    // The sums are of what stays: the stopped store's messages are gone.
    EXPECT_NE(scratch_.Read(out + "/Recovery report.txt")
                  .find("\r\n0 stores: 0 messages (0 listed by an index, 0 found only in the store); 7 contacts.\r\n"
                        "Stopped"),
              std::string::npos)
        << scratch_.Read(out + "/Recovery report.txt");
  }
}

// What cannot be moved is named, never passed over: an index whose store is
// missing, and bytes of a store that no message claims.
TEST_F(IdentityExportTest, AnIndexWithoutItsStoreAndBytesNoMessageClaimsAreNamed) {
  const std::string message =
      "From: anna@example.org\r\nTo: tom@example.net\r\nSubject: Hi\r\nDate: Mon, 03 Mar 2008 09:14:22 +0100\r\n\r\n"
      "body\r\n";
  const std::string junk = "no message at all\r\n\r\n";
  fs::create_directory(scratch_.Path("lone"));
  scratch_.Write("lone/Kept.imm", junk + message);
  scratch_.Write("lone/Lost.imh", scratch_.Read("in/Inbox.imh"));

  Recorder recorder;
  const IdentityExportResult result =
      ExportIdentity(scratch_.Path("lone"), scratch_.Path("out"), IdentityExportOptions{}, recorder);
  ASSERT_TRUE(result.refused.empty()) << result.refused;
  EXPECT_FALSE(result.Complete());
  ASSERT_EQ(result.inputs.size(), 2u) << "the index is an input of its own, so the wizard shows it as a row";
  EXPECT_EQ(recorder.planned, 2u);
  EXPECT_EQ(result.inputs[0].state, InputState::kIncomplete);
  EXPECT_EQ(result.inputs[1].kind, InputKind::kIndexWithoutStore);
  EXPECT_EQ(result.inputs[1].state, InputState::kFailed);
  EXPECT_EQ(Listing(scratch_.Path("out")), (std::vector<std::string>{"Kept.mbox", "Recovery report.txt"}));

  const std::string report = IdentityReportText(scratch_.Path("lone"), result);
  EXPECT_NE(report.find("Kept.imm (store without an index)\n"
                        "  1 message found only in the store (no index to tell) -> Kept.mbox\n"
                        "  0 cut short, 0 unreadable ranges\n"
                        "  left out: bytes 0-" +
                        std::to_string(junk.size() - 1) + ", which no message claims\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("Lost.imh (index without its store)\n  its store '" +
                        JoinPath(scratch_.Path("lone"), "Lost.imm") + "' is missing"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("\nNot everything could be exported: 1 input not exported and 1 stretch of bytes that no "
                        "message claims left out (see above).\n"),
            std::string::npos)
      << report;
}

#ifndef _WIN32
// Makes `depth` nested folders of long names below `folder` (through file
// descriptors, as the whole path is past PATH_MAX), with `store` in the last;
// the path of that last folder.
std::string DeepFolder(const std::string& folder, int depth, const std::string& store) {
  const std::string part(200, 'd');
  int at = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  std::string path = folder;
  for (int i = 0; i < depth && at >= 0; ++i) {
    ::mkdirat(at, part.c_str(), 0755);
    const int next = ::openat(at, part.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(at);
    at = next;
    path += "/" + part;
  }
  const int file = ::openat(at, "Deep.imm", O_WRONLY | O_CREAT, 0644);
  if (file >= 0 && ::write(file, store.data(), store.size()) == static_cast<ssize_t>(store.size())) ::close(file);
  ::close(at);
  return path;
}

TEST_F(IdentityExportTest, LinksNamesAndUnreadableEntriesCannotHurt) {
  const std::string store = ReadAll(std::string(SAMPLES_DIR) + "/Inbox.imm");
  // Once 41 copies of a store, and a walk that never ended.
  ASSERT_EQ(::symlink(".", scratch_.Path("in/loop").c_str()), 0);
  ASSERT_EQ(::symlink("..", scratch_.Path("in/Mail/up").c_str()), 0);
  // Once the outputs ".." and "." (eml: the parent of the output folder), and Windows devices.
  for (const char* name : {"..imm", "...imm", "NUL.imm", "con.imm"}) scratch_.Write(std::string("in/") + name, store);
  ASSERT_EQ(::mkfifo(scratch_.Path("in/Pipe.imm").c_str(), 0644), 0) << "opening it would wait for ever";
  const std::string deep = DeepFolder(In(), PATH_MAX / 200 + 2, store);

  Recorder recorder;
  const IdentityExportResult result = Export("out", IdentityFormat::kEml, recorder);
  ASSERT_TRUE(result.refused.empty()) << result.refused;
  EXPECT_FALSE(result.Complete()) << "something was left out";
  EXPECT_EQ(Listing(scratch_.Path("out")),
            (std::vector<std::string>{"Contacts.csv", "Contacts.vcf", "Inbox", "Inbox (found only in the store)",
                                      "Mail - Inbox", "Mail - Inbox (found only in the store)", "NUL_",
                                      "Recovery report.txt", "con_", "messages", "messages (2)"}));
  EXPECT_EQ(Listing(scratch_.Path("out/messages")).size(), 13u) << "a store without an index: all in NAME";
  EXPECT_EQ(Listing(scratch_.Root()), (std::vector<std::string>{"in", "out"})) << "nothing beside the output folder";

  std::vector<std::string> links, unreadable;
  for (const PassedOver& link : result.search.linksNotFollowed) links.push_back(link.path);
  for (const PassedOver& entry : result.search.unreadable) unreadable.push_back(entry.path + ": " + entry.cause);
  EXPECT_EQ(links, (std::vector<std::string>{scratch_.Path("in/Mail/up"), scratch_.Path("in/loop")}));
  ASSERT_EQ(unreadable.size(), 2u);
  EXPECT_EQ(unreadable[0], scratch_.Path("in/Pipe.imm") + ": not a regular file");
  EXPECT_NE(unreadable[1].find("File name too long"), std::string::npos) << unreadable[1];
  const std::string report = scratch_.Read("out/Recovery report.txt");
  EXPECT_NE(report.find("Links not followed:"), std::string::npos);
  EXPECT_NE(report.find("..imm (store without an index)\r\n  13 messages found only in the store (no index to tell) -> "
                        "messages (2)\r\n"),
            std::string::npos)
      << report;
  std::system(("rm -rf '" + In() + "/" + std::string(200, 'd') + "'").c_str());  // too deep for std::filesystem
}
#endif

}  // namespace
}  // namespace tessel::moving
