#include "cli/inputs.h"

#include "cli/commands.h"
#include "cli/scans.h"
#include "export/file_system.h"
#include "moving/folder_search.h"
#include "export/output_names.h"

namespace tessel::cli {

using exporting::FileName;
using exporting::KindOf;
using exporting::NameWithoutExtension;
using exporting::PathKind;
using moving::FolderSearch;
using moving::PassedOver;

ChosenAs ChosenAsFor(const CommandLine& line) {
  if (line.raw) return ChosenAs::kStoreBytes;
  return line.chosenAs.value_or(ChosenAs::kByName);
}

bool CollectInputs(const CommandLine& line, std::vector<Input>& inputs, bool& leftOut, std::string& error) {
  leftOut = false;
  for (const std::string& path : line.paths) {
    std::string cause;
    const PathKind kind = KindOf(path, &cause);
    if (kind == PathKind::kMissing) {
      // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
      error = "cannot open '" + path + "': " + cause;
      return false;
    }
    if (kind == PathKind::kFolder) {
      const FolderSearch search = moving::SearchFolder(path);
      for (const PassedOver& entry : search.unreadable) Warn("left out '" + entry.path + "': " + entry.cause);
      for (const PassedOver& link : search.linksNotFollowed) Warn("not followed: '" + link.path + "' " + link.cause);
      leftOut = leftOut || !search.unreadable.empty();
      const std::size_t before = inputs.size();
      for (const moving::FoundFile& found : search.files) {
        if (found.storeMissing) {
          Warn("left out '" + found.file.path + "': its store '" + found.file.storePath + "' is missing");
          leftOut = true;
          continue;
        }
        inputs.push_back(Input{found.file, NameWithoutExtension(FileName(found.file.path)), true});
      }
      if (inputs.size() == before) {
        error = "no IncrediMail files (.imh, .imm, .imb) in the folder '" + path + "'";
        return false;
      }
      continue;
    }
    inputs.push_back(Input{ResolveChosenFile(path, ChosenAsFor(line)), NameWithoutExtension(FileName(path)), false});
  }
  for (Input& input : inputs) input.deep = line.deep;
  return true;
}

std::vector<Input> InputsOf(const std::vector<Input>& inputs, bool addressBooks) {
  std::vector<Input> chosen;
  for (const Input& input : inputs) {
    if (input.IsAddressBook() == addressBooks) chosen.push_back(input);
  }
  return chosen;
}

void MakeNamesUnique(std::vector<Input>& inputs) {
  exporting::UniqueNames names;
  for (Input& input : inputs) input.name = names.Take(exporting::SafeFileName(input.name, "messages"));
}

}  // namespace tessel::cli
