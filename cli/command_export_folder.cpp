// tessel export FOLDER: an identity's whole folder through the identity
// export, the wizard's code path, with a bar on the terminal and the report
// on standard output.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/terminal_text.h"
#include "cli/terminal_progress.h"
#include "export/export_names.h"
#include "moving/identity_export.h"

namespace tessel::cli {

using moving::IdentityExportOptions;
using moving::IdentityExportResult;
using moving::IdentityFormat;

namespace {

// The port as a terminal sees it: one bar for all inputs, and Ctrl-C as Stop.
class TerminalExportProgress final : public moving::IdentityExportProgress {
 public:
  explicit TerminalExportProgress(std::atomic<int>& stop) : stop_(stop) {}
  void Overall(std::int64_t done, std::int64_t total) override {
    bar_.SetRange(total);
    bar_.SetPosition(done);
  }
  bool StopRequested() override { return stop_.load() != 0; }
  void Finish() { bar_.Finish(); }

 private:
  std::atomic<int>& stop_;
  TerminalProgress bar_{ProgressTerminal(), "exporting"};
};

}  // namespace

int RunFolderExport(const CommandLine& line) {
  if (!line.rows.empty()) return Fail(kExitUsage, "export: --rows picks rows of one store; give one store");
  if (!line.contactsFormat.empty()) {
    return Fail(kExitUsage, "export: a folder's address books are written as .vcf and .csv both; leave out --contacts");
  }
  IdentityExportOptions options;
  options.format = line.format == "mbox" ? IdentityFormat::kMbox : IdentityFormat::kEml;
  options.keepCrLf = line.crlf;
  options.emlPrefix = line.prefix;
  std::string error;
  options.contactsPage = exporting::ParseCodePage(line.codepage, error);
  if (options.contactsPage == nullptr) return Fail(kExitUsage, "export: " + error);

  const std::string& folder = line.paths.front();
  std::atomic<int> stop{0};
  IdentityExportResult result;
  {
    StopOnInterrupt interrupt(stop);
    TerminalExportProgress progress(stop);
    result = moving::ExportIdentity(folder, line.to, options, progress);
    progress.Finish();
  }
  if (!result.refused.empty()) return Fail(kExitFailure, result.refused);
  // Names in the report are the folder's, as anyone made them: the terminal
  // shows them, never acts on them. The report file keeps them as they are.
  const std::string report = moving::IdentityReportText(folder, result);
  for (std::size_t start = 0; start < report.size();) {
    const std::size_t end = std::min(report.find('\n', start), report.size());
    std::fputs((TerminalText(std::string_view(report).substr(start, end - start)) + "\n").c_str(), stdout);
    start = end + 1;
  }
  // What went wrong goes to standard error too, where scripts look for it.
  for (const moving::PassedOver& entry : result.search.unreadable)
    Warn("left out '" + entry.path + "': " + entry.cause);
  for (const moving::InputReport& input : result.inputs) {
    for (const std::string& problem : input.problems) Warn(input.relativePath + ": " + problem);
  }
  if (!result.reportProblem.empty()) Warn(result.reportProblem);
  if (!result.reportPath.empty()) std::printf("report: %s\n", TerminalText(result.reportPath).c_str());
  if (result.stopped) return Fail(kExitStopped, "stopped; the files of the inputs finished before it are kept");
  return result.Complete() ? kExitOk : kExitFailure;
}

}  // namespace tessel::cli
