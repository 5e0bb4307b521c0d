// tessel: the recovery engine on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"

namespace {

int Run(const tessel::cli::CommandLine& line) {
  using namespace tessel::cli;
  switch (line.command) {
    case Command::kScan:
      return RunScan(line);
    case Command::kExport:
      return RunExport(line);
    case Command::kContacts:
      return RunContacts(line);
    case Command::kShow:
      return RunShow(line);
    case Command::kVersion:
      std::fputs(VersionText().c_str(), stdout);
      return kExitOk;
    case Command::kHelp:
      break;
  }
  std::fputs(HelpText(line.helpTopic).c_str(), stdout);
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessel::cli;
  PrepareStandardStreams();
  const std::vector<std::string> args = ProgramArguments(argc, argv);
  std::string error;
  const std::optional<CommandLine> line = ParseCommandLine(args, error);
  if (!line) return Fail(kExitUsage, error);
  return FinishStdout(Run(*line));
}
