// tessel: the recovery engine on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
  using namespace tessel::cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<CommandLine> line = ParseCommandLine(args, error);
  if (!line) return Fail(kExitUsage, error);
  switch (line->command) {
    case Command::kScan:
      return RunScan(*line);
    case Command::kExport:
      return RunExport(*line);
    case Command::kContacts:
      return RunContacts(*line);
    case Command::kShow:
      return RunShow(*line);
    case Command::kHelp:
      break;
  }
  std::fputs(HelpText(line->helpTopic).c_str(), stdout);
  return kExitOk;
}
