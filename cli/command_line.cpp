#include "cli/command_line.h"

#include <initializer_list>
#include <string_view>

namespace tessel::cli {
namespace {

struct CommandInfo {
  Command command;
  const char* name;
  std::initializer_list<std::string_view> valueOptions;  // options that take a value
  bool storeFlags;                                       // --store and --addressbook
  size_t operands;                                       // PATH, or PATH and ROW
};

const CommandInfo kCommands[] = {
    {Command::kScan, "scan", {"format"}, true, 1},
    {Command::kExport, "export", {"to", "format", "prefix", "rows"}, false, 1},
    {Command::kContacts, "contacts", {"to", "format"}, false, 1},
    {Command::kShow, "show", {}, false, 2},
};

const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& info : kCommands) {
    if (name == info.name) return &info;
  }
  return nullptr;
}

bool TakesValue(const CommandInfo& info, std::string_view option) {
  for (const std::string_view name : info.valueOptions) {
    if (option == name) return true;
  }
  return false;
}

void SetValue(CommandLine& line, std::string_view option, const std::string& value) {
  if (option == "format") line.format = value;
  if (option == "to") line.to = value;
  if (option == "prefix") line.prefix = value;
  if (option == "rows") line.rows = value;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

}  // namespace

const char* CommandName(Command command) {
  for (const CommandInfo& info : kCommands) {
    if (info.command == command) return info.name;
  }
  return "help";
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  CommandLine line;
  if (args.empty() || IsHelp(args[0])) return line;
  const CommandInfo* info = FindCommand(args[0]);
  if (info == nullptr) {
    error = "unknown command '" + args[0] + "' (commands: scan, export, contacts, show)";
    return std::nullopt;
  }
  line.command = info->command;
  const std::string prefix = std::string(info->name) + ": ";

  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      line.helpTopic = line.command;
      line.command = Command::kHelp;
      return line;
    }
    const size_t equals = arg.find('=');
    const std::string_view option =
        std::string_view(arg).substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    if (arg.rfind("--", 0) == 0 && info->storeFlags && equals == std::string::npos &&
        (option == "store" || option == "addressbook")) {
      line.mode = option == "store" ? ScanMode::kMessageStore : ScanMode::kAddressBook;
      continue;
    }
    if (arg.rfind("--", 0) != 0 || !TakesValue(*info, option)) {
      error = prefix + "unknown option '" + arg + "' (see tessel " + info->name + " --help)";
      return std::nullopt;
    }
    if (equals != std::string::npos) {
      SetValue(line, option, arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      SetValue(line, option, args[++i]);
    } else {
      error = prefix + "option '" + arg + "' needs a value";
      return std::nullopt;
    }
  }

  if (operands.size() != info->operands) {
    error = prefix + (operands.size() < info->operands ? "missing " : "too many arguments; expected ") +
            (info->operands == 2 ? "PATH and ROW" : "PATH") + " (see tessel " + info->name + " --help)";
    return std::nullopt;
  }
  line.path = operands[0];
  if (info->operands == 2) line.row = operands[1];
  return line;
}

}  // namespace tessel::cli
