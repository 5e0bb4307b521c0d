// The files a command works on, from the paths given: a file stands for
// itself, and a folder (such as an identity's message store folder) for the
// IncrediMail files found in it and its subfolders: each index with its store,
// each store without an index, each address book.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/rows.h"
#include "cli/scans.h"

namespace tessel::cli {

struct Input {
  ChosenFile file;   // a store, an index with its store, or an address book
  std::string name;  // for the files written from it: "Inbox", "Sent Items"
  bool fromFolder = false;
  bool deep = false;  // the deep scan: index records and the store's other messages

  const std::string& path() const { return file.path; }
  bool IsAddressBook() const { return file.kind == FileKind::kAddressBook; }
  ScanMode mode() const { return IsAddressBook() ? ScanMode::kAddressBook : deep ? ScanMode::kDeep : ScanMode::kUsual; }
};

// What --raw, --store and --addressbook make of a file named on the command line.
ChosenAs ChosenAsFor(const CommandLine& line);

// Expands `line.paths`; folders are searched as folder_search.h says. What a
// folder's search leaves out is said on standard error and sets `leftOut`
// (the command then ends with exit code 1). False with `error` set when a
// path does not exist or a folder yields no IncrediMail file.
bool CollectInputs(const CommandLine& line, std::vector<Input>& inputs, bool& leftOut, std::string& error);

// The address books among `inputs`, or the message stores.
std::vector<Input> InputsOf(const std::vector<Input>& inputs, bool addressBooks);

// Gives each input a name, safe as a file name, that no earlier one has
// ("Inbox", "Inbox (2)"), compared without regard to case, as Windows file names are.
void MakeNamesUnique(std::vector<Input>& inputs);

}  // namespace tessel::cli
