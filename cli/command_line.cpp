#include "cli/command_line.h"

#include <initializer_list>
#include <string_view>

namespace tessel::cli {
namespace {

struct CommandInfo {
  Command command;
  const char* name;
  std::initializer_list<std::string_view> valueOptions;  // options that take a value
  std::initializer_list<std::string_view> flags;         // options that do not
  bool onePath;                                          // show: one PATH, then ROW
};

const CommandInfo kCommands[] = {
    {Command::kScan,
     "scan",
     {"format", "codepage"},
     {"store", "addressbook", "raw", "deep", "readable", "stored"},
     false},
    {Command::kExport,
     "export",
     {"to", "format", "prefix", "rows", "contacts", "codepage"},
     {"raw", "deep", "crlf"},
     false},
    {Command::kContacts, "contacts", {"to", "format", "codepage"}, {}, false},
    {Command::kShow, "show", {"part", "to"}, {"raw", "deep", "text"}, true},
};

const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& info : kCommands) {
    if (name == info.name) return &info;
  }
  return nullptr;
}

bool Lists(std::initializer_list<std::string_view> names, std::string_view option) {
  for (const std::string_view name : names) {
    if (option == name) return true;
  }
  return false;
}

void SetValue(CommandLine& line, std::string_view option, const std::string& value) {
  if (option == "format") line.format = value;
  if (option == "to") line.to = value;
  if (option == "prefix") line.prefix = value;
  if (option == "rows") line.rows = value;
  if (option == "contacts") line.contactsFormat = value;
  if (option == "codepage") line.codepage = value;
  if (option == "part") line.part = value;
}

void SetFlag(CommandLine& line, std::string_view flag) {
  if (flag == "store") line.chosenAs = ChosenAs::kMessageStore;
  if (flag == "addressbook") line.chosenAs = ChosenAs::kAddressBook;
  if (flag == "raw") line.raw = true;
  if (flag == "deep") line.deep = true;
  if (flag == "crlf") line.crlf = true;
  if (flag == "readable") line.readable = true;
  if (flag == "stored") line.stored = true;
  if (flag == "text") line.text = true;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

// "missing PATH", "missing ROW", "missing PATH and ROW", or too many.
std::string OperandError(const CommandInfo& info, size_t given) {
  if (!info.onePath) return "missing PATH";
  if (given == 0) return "missing PATH and ROW";
  if (given == 1) return "missing ROW (the row number, as tessel scan shows it)";
  return "too many arguments; expected PATH and ROW";
}

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
  if (args[0] == "--version" || args[0] == "-V") {
    line.command = Command::kVersion;
    return line;
  }
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
    const bool isLong = arg.rfind("--", 0) == 0;
    if (isLong && equals == std::string::npos && Lists(info->flags, option)) {
      SetFlag(line, option);
      continue;
    }
    if (!isLong || !Lists(info->valueOptions, option)) {
      // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
      error = prefix + "unknown option '" + arg + "' (see tessel " + info->name + " --help)";
      return std::nullopt;
    }
    if (equals != std::string::npos) {
      SetValue(line, option, arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      SetValue(line, option, args[++i]);
    } else {
      // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
      error = prefix + "option '" + arg + "' needs a value";
      return std::nullopt;
    }
  }

  if (operands.empty() || (info->onePath && operands.size() != 2)) {
    error = prefix + OperandError(*info, operands.size()) + " (see tessel " + info->name + " --help)";
    return std::nullopt;
  }
  if (line.raw && line.chosenAs == ChosenAs::kAddressBook) {
    error = prefix + "--raw searches a file as a message store; it cannot go with --addressbook";
    return std::nullopt;
  }
  if (line.readable && line.stored) {
    error = prefix + "--readable and --stored ask for different cells; give one";
    return std::nullopt;
  }
  if (line.text && !line.part.empty()) {
    error = prefix + "--text shows the message, --part one attachment; give one";
    return std::nullopt;
  }
  if (!line.to.empty() && line.part.empty() && line.command == Command::kShow) {
    error = prefix + "--to names the file for --part";
    return std::nullopt;
  }
  if (info->onePath) {
    line.row = operands[1];
    operands.pop_back();
  }
  line.paths = std::move(operands);
  return line;
}

}  // namespace tessel::cli
