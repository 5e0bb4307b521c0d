// Every file tessel writes is new, and either complete or gone: each command
// that writes files, failing at each of its writes and closes in turn.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "export/output_file.h"
#include "tests/export/failing_writer.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace tessel::cli {
namespace {

namespace fs = std::filesystem;
namespace mailfiles = tessel::mailfiles;
using exporting::ScopedFileOpener;

using tessel::testing::FailingFileOpener;
using tessel::testing::ReadAll;

struct Outcome {
  int exitCode = -1;
  std::string out, err;
};

Outcome RunInProcess(const std::vector<std::string>& args) {
  std::string error;
  const std::optional<CommandLine> line = ParseCommandLine(args, error);
  if (!line) return {kExitUsage, "", error};
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  Outcome outcome;
  switch (line->command) {
    case Command::kExport:
      outcome.exitCode = RunExport(*line);
      break;
    case Command::kContacts:
      outcome.exitCode = RunContacts(*line);
      break;
    case Command::kShow:
      outcome.exitCode = RunShow(*line);
      break;
    default:
      ADD_FAILURE() << "not a command that writes files";
  }
  outcome.out = ::testing::internal::GetCapturedStdout();
  outcome.err = ::testing::internal::GetCapturedStderr();
  return outcome;
}

// Every file under `root`, by its path relative to it.
std::map<std::string, std::string> FilesUnder(const std::string& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadAll(entry.path().string());
  }
  return files;
}

std::string Message(const std::string& subject, const std::string& body) {
  return mailfiles::CrLfLines({"From: anna@example.org", "To: tom@example.net", "Subject: " + subject,
                               "Date: Mon, 03 Mar 2008 09:14:22 +0100", "MIME-Version: 1.0", "", body});
}

class WriteFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    // Bodies longer than a copy chunk, so that one record takes several writes.
    std::string store = Message("One", std::string(4500, 'a')) + Message("Two", "From here\r\nshort") +
                        Message("Three", std::string(2100, 'c'));
    fs::create_directories(scratch_.Path("id/Message Store"));
    fs::create_directories(scratch_.Path("id/Addressbook"));
    scratch_.Write("id/Message Store/Inbox.imm", store);
    std::string book(mailfiles::kAddressBookHeaderSize, 'H');
    for (const char* name : {"Anna Berger", "Carl Roux", "Dora Lind"}) {
      book += mailfiles::ContactRecord({{1, name}, {4, name}, {5, "someone@example.org"}});
    }
    scratch_.Write("id/Addressbook/Book.imb", book);
  }

  // Runs `args` (OUT standing for a fresh output path) once cleanly, then once
  // for each call its writes make, failing that call.
  void FailEveryCall(const std::vector<std::string>& args) {
    const std::string what = args[0] + " " + args.back();
    FailingFileOpener clean(0);
    Outcome reference;
    {
      const ScopedFileOpener use(clean);
      reference = RunInProcess(WithOut(args, "clean"));
    }
    ASSERT_EQ(reference.exitCode, kExitOk) << what << ": " << reference.err;
    const std::map<std::string, std::string> complete = FilesUnder(scratch_.Path("clean"));
    ASSERT_GT(clean.Calls(), 1) << what;
    for (long long call = 1; call <= clean.Calls(); ++call) {
      SCOPED_TRACE(what + ", call " + std::to_string(call) + " of " + std::to_string(clean.Calls()));
      const std::string out = "fail" + std::to_string(call);
      FailingFileOpener failing(call);
      Outcome run;
      {
        const ScopedFileOpener use(failing);
        run = RunInProcess(WithOut(args, out));
      }
      ASSERT_TRUE(failing.Failed());
      EXPECT_EQ(run.exitCode, kExitFailure);
      const std::string named = failing.FailedPath().empty() ? "standard output" : "'" + failing.FailedPath() + "'";
      EXPECT_NE(run.err.find(named + ": No space left on device"), std::string::npos) << run.err;
      EXPECT_FALSE(!failing.FailedPath().empty() && fs::exists(failing.FailedPath())) << "a partial file stays";
      // What stays is complete, and the summary counts exactly that.
      const std::map<std::string, std::string> left = FilesUnder(scratch_.Path(out));
      // The identity export's report, in its --to folder.
      const bool identity = args[1] == "IN/id";
      const std::string report =
          identity ? fs::relative(fs::path(WithOut(args, out)[3]) / "Recovery report.txt", scratch_.Path(out)).string()
                   : std::string();
      for (const auto& [name, bytes] : left) {
        if (name.find("Recovery report.txt") != std::string::npos) {  // the identity export's: it tells of the failure
          if (identity && name == report) {
            EXPECT_NE(bytes.find(named + ": No space left on device"), std::string::npos) << bytes;
          }
          continue;
        }
        const auto whole = complete.find(name);
        EXPECT_TRUE(whole != complete.end() && whole->second == bytes) << name << " is not as a clean run writes it";
      }
      CheckSummary(run.out, left, out);
      if (identity) CheckReportSums(run.out, left, report);
    }
  }

  // The identity export's last sums count what is on disk: a failed input's
  // files are removed, and so are its messages and contacts from the sums.
  // `report`: the report's path in `left`, whose folder holds the export's
  // files (earlier commands' .eml files lie beside them, not in subfolders).
  static void CheckReportSums(const std::string& out, const std::map<std::string, std::string>& left,
                              const std::string& report) {
    static const std::regex kSums("\\n\\d+ stores?: (\\d+) messages? \\(.*\\); (\\d+) contacts?\\.\\n");
    std::smatch sums;
    ASSERT_TRUE(std::regex_search(out, sums, kSums)) << out;
    const fs::path folder = fs::path(report).parent_path();
    long long messages = 0, contacts = 0;
    for (const auto& [name, bytes] : left) {
      const fs::path file = folder.empty() ? fs::path(name) : fs::path(name).lexically_relative(folder);
      if (file.empty() || *file.begin() == "..") continue;
      const std::string extension = file.extension().string();
      messages += extension == ".eml" && file.has_parent_path();
      if (file.has_parent_path()) continue;
      if (extension == ".mbox") messages += Occurrences("\nFrom " + bytes, "\nFrom ");
      if (extension == ".vcf") contacts += Occurrences(bytes, "BEGIN:VCARD");
    }
    EXPECT_EQ(std::stoll(sums[1]), messages) << out;
    EXPECT_EQ(std::stoll(sums[2]), contacts) << out;
  }
  static long long Occurrences(const std::string& text, const std::string& what) {
    long long count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  }

  std::vector<std::string> WithOut(std::vector<std::string> args, const std::string& out) const {
    for (std::string& arg : args) {
      if (arg.rfind("OUT", 0) == 0) arg = scratch_.Path(out) + arg.substr(3);
      if (arg.rfind("IN/", 0) == 0) arg = scratch_.Path(arg.substr(3));
    }
    return args;
  }

  // Each "wrote N ... to PATH" names a file that is there, or a folder holding N .eml files.
  void CheckSummary(const std::string& out, const std::map<std::string, std::string>& left,
                    const std::string& folder) const {
    static const std::regex kWrote("wrote (\\d+) (message|contact)s? to (.+?)( \\(.*)?\\n");
    for (std::sregex_iterator it(out.begin(), out.end(), kWrote), end; it != end; ++it) {
      const std::string path = (*it)[3];
      const long long count = std::stoll((*it)[1]);
      const std::string name = fs::relative(path, scratch_.Path(folder)).string();
      if (left.count(name) > 0) continue;
      const fs::path summed = fs::path(name).lexically_normal();  // "." for OUT itself
      long long emls = 0;
      for (const auto& entry : left) {
        const fs::path file(entry.first);
        const fs::path parent = file.has_parent_path() ? file.parent_path() : fs::path(".");
        emls += parent == summed && file.extension() == ".eml";
      }
      EXPECT_EQ(count, emls) << (*it)[0] << " but the folder holds " << emls;
    }
  }

  tessel::testing::ScratchFolder scratch_;
};

TEST_F(WriteFailures, EveryFileTesselWritesIsCompleteOrGone) {
  const std::string store = "IN/id/Message Store/Inbox.imm", book = "IN/id/Addressbook/Book.imb";
  FailEveryCall({"export", store, "--to", "OUT"});
  FailEveryCall({"export", store, "--to", "OUT", "--format", "mbox"});
  FailEveryCall({"export", "IN/id", "--to", "OUT"});  // the identity export: folders of .eml, contacts, the report
  FailEveryCall({"export", "IN/id", "--to", "OUT/mbox", "--format", "mbox"});
  for (const char* format : {"txt", "csv", "vcf"}) FailEveryCall({"contacts", book, "--to", "OUT", "--format", format});
  FailEveryCall({"show", store, "2"});
}

}  // namespace
}  // namespace tessel::cli
