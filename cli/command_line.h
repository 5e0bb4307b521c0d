// The command line of tessel, parsed but not yet checked against the files.
//
//   tessel scan     [--format table|tsv|json] [--store|--addressbook|--raw] [--deep] [--codepage N]
//                   [--readable|--stored] PATH...
//   tessel export   PATH... --to DIR [--format eml|mbox] [--crlf] [--raw] [--deep] [--prefix MailRec] [--rows LIST]
//                   [--contacts txt|csv|vcf] [--codepage N]
//   tessel contacts PATH... --to FILE|DIR [--format txt|csv|vcf] [--codepage N]
//   tessel show     [--raw] [--deep] [--text | --part K [--to FILE]] PATH ROW
//   tessel --help | tessel COMMAND --help | tessel --version
//
// Options may stand before or after the operands, as "--name value" or
// "--name=value"; "--" ends the options. A PATH may be a folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/rows.h"
#include "engine/chosen_file.h"

namespace tessel::cli {

enum class Command { kHelp, kVersion, kScan, kExport, kContacts, kShow };

struct CommandLine {
  Command command = Command::kHelp;
  Command helpTopic = Command::kHelp;  // for "COMMAND --help"
  std::vector<std::string> paths;      // the inputs, in the order given
  std::string row;                     // show: the row to write
  std::string format;                  // empty: the command's default
  std::optional<ChosenAs> chosenAs;    // --store / --addressbook
  bool raw = false;                    // --raw: search the file as a store, whatever its name
  bool deep = false;                   // --deep: every message of the store once, each row saying where from
  bool crlf = false;                   // --crlf: mbox keeps the stored CR LF line ends
  std::string codepage;                // --codepage; empty: 1252
  std::string to;                      // --to
  std::string prefix = "MailRec";      // --prefix
  std::string rows;                    // --rows; empty: every row
  std::string contactsFormat;          // export --contacts; empty: vcf
  bool readable = false;               // scan --readable: header cells for people in every format
  bool stored = false;                 // scan --stored: the stored cells in the table too
  bool text = false;                   // show --text: the message for people
  std::string part;                    // show --part: the attachment to write, from 1
};

// Exit codes of tessel.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;    // a file could not be read or written, a row does not exist
constexpr int kExitUsage = 2;      // the command line is wrong
constexpr int kExitStopped = 130;  // interrupted (Ctrl-C); what was found is written

// Parses the arguments after the program name. On a malformed command line
// returns nothing and sets `error` to one sentence.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

const char* CommandName(Command command);

}  // namespace tessel::cli
