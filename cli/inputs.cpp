#include "cli/inputs.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "cli/file_system.h"
#include "cli/scans.h"

namespace tessel::cli {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : Lower(name.substr(dot + 1));
}

bool SearchFolder(const std::string& folder, std::vector<Input>& inputs, std::string& error) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder, entries, error)) return false;
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  // Stores that an index in this folder already brings.
  std::set<std::string> indexed;
  for (const FolderEntry& entry : entries) {
    if (entry.kind == PathKind::kFile && ExtensionOf(entry.name) == "imh") {
      indexed.insert(Lower(NameWithoutExtension(entry.name)));
    }
  }
  for (const FolderEntry& entry : entries) {
    if (entry.kind != PathKind::kFile) continue;
    const std::string extension = ExtensionOf(entry.name);
    const std::string stem = NameWithoutExtension(entry.name);
    if (extension != "imb" && extension != "imh" && (extension != "imm" || indexed.count(Lower(stem)) > 0)) continue;
    const Input input{ResolveChosenFile(JoinPath(folder, entry.name)), stem, true};
    // An index without its store lists nothing.
    if (input.file.kind == FileKind::kIndex && KindOf(input.file.storePath) != PathKind::kFile) continue;
    inputs.push_back(input);
  }
  for (const FolderEntry& entry : entries) {
    if (entry.kind == PathKind::kFolder && !SearchFolder(JoinPath(folder, entry.name), inputs, error)) return false;
  }
  return true;
}

}  // namespace

ChosenAs ChosenAsFor(const CommandLine& line) {
  if (line.raw) return ChosenAs::kStoreBytes;
  if (!line.mode) return ChosenAs::kByName;
  return *line.mode == ScanMode::kAddressBook ? ChosenAs::kAddressBook : ChosenAs::kMessageStore;
}

bool CollectInputs(const CommandLine& line, std::vector<Input>& inputs, std::string& error) {
  for (const std::string& path : line.paths) {
    std::string cause;
    const PathKind kind = KindOf(path, &cause);
    if (kind == PathKind::kMissing) {
      // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
      error = "cannot open '" + path + "': " + cause;
      return false;
    }
    if (kind == PathKind::kFolder) {
      const size_t before = inputs.size();
      if (!SearchFolder(path, inputs, error)) return false;
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

std::vector<Input> InputsOf(const std::vector<Input>& inputs, ScanMode mode) {
  std::vector<Input> chosen;
  for (const Input& input : inputs) {
    if (input.mode() == mode) chosen.push_back(input);
  }
  return chosen;
}

void MakeNamesUnique(std::vector<Input>& inputs) {
  std::set<std::string> taken;
  for (Input& input : inputs) {
    const std::string base = input.name.empty() ? std::string("messages") : input.name;
    std::string name = base;
    for (int n = 2; taken.count(Lower(name)) > 0; ++n) name = base + " (" + std::to_string(n) + ")";
    taken.insert(Lower(name));
    input.name = name;
  }
}

}  // namespace tessel::cli
