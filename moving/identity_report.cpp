// The identity export's report: what a user leaving IncrediMail reads to know
// that nothing was lost, or what was and why.
#include <cstring>
#include <vector>

#include "export/file_system.h"
#include "moving/identity_export.h"
#include "recovery/plural.h"

namespace tessel::moving {
using exporting::FileName;
using recovery::Counted;

namespace {

const char* KindText(InputKind kind) {
  switch (kind) {
    case InputKind::kIndexedStore:
      return "index and store";
    case InputKind::kStore:
      return "store without an index";
    case InputKind::kAddressBook:
      return "address book";
    case InputKind::kIndexWithoutStore:
      return "index without its store";
  }
  return "";
}

// Stretches no message claims are listed up to this many per store; the
// rest are counted.
constexpr std::size_t kListedStretches = 20;

std::string Arrow(const std::string& name) { return name.empty() ? std::string() : " -> " + name; }

void AppendInput(std::string& text, const InputReport& input) {
  text += input.relativePath + " (" + KindText(input.kind) + ")\n";
  const std::string first = input.outputs.empty() ? std::string() : FileName(input.outputs.front());
  if (input.kind == InputKind::kAddressBook) {
    std::string names;
    for (const std::string& path : input.outputs) names += (names.empty() ? "" : ", ") + FileName(path);
    if (input.state != InputState::kFailed && input.state != InputState::kStopped) {
      text += "  " + Counted(input.listed, "contact") + Arrow(names) + "\n";
      if (input.blankContacts > 0) text += "  " + Counted(input.blankContacts, "blank record") + " left out\n";
    }
  } else if (input.state != InputState::kFailed && input.state != InputState::kStopped &&
             input.state != InputState::kWaiting) {
    if (input.indexUsed) {
      text += "  " + Counted(input.listed, "message") + " listed by the index" + Arrow(first) + "\n";
      const std::string second = input.outputs.size() > 1 ? FileName(input.outputs[1]) : std::string();
      text += "  " + Counted(input.foundOnly, "message") + " found only in the store" + Arrow(second) + "\n";
    } else {
      text += "  " + Counted(input.foundOnly, "message") + " found only in the store (no index to tell)" +
              Arrow(first) + "\n";
    }
    text += "  " + std::to_string(input.cutShort) + " cut short, " +
            Counted(static_cast<long long>(input.unreadable.size()), "unreadable range") + "\n";
  }
  for (const recovery::UnreadableStretch& stretch : input.unreadable) {
    text += "  unreadable: bytes " + std::to_string(stretch.range.begin) + "-" + std::to_string(stretch.range.end - 1) +
            " of '" + stretch.path + "': " + std::strerror(stretch.range.errorCode) + "\n";
  }
  for (std::size_t i = 0; i < input.unclaimed.size() && i < kListedStretches; ++i) {
    const MessageRecord& stretch = input.unclaimed[i];
    text += "  left out: bytes " + std::to_string(stretch.offset) + "-" +
            std::to_string(stretch.offset + stretch.length - 1) + ", which no message claims\n";
  }
  if (input.unclaimed.size() > kListedStretches) {
    text +=
        "  left out: " +
        Counted(static_cast<long long>(input.unclaimed.size() - kListedStretches), "more stretch", "more stretches") +
        " of bytes that no message claims\n";
  }
  for (const std::string& problem : input.problems) text += "  " + problem + "\n";
  if (input.state == InputState::kStopped) text += "  stopped during this one: its files are removed\n";
  if (input.state == InputState::kWaiting) text += "  not exported: stopped before it\n";
}

// What kept the export from being complete, as one phrase.
std::string LeftOut(const IdentityExportResult& result) {
  long long failed = 0, unreadable = 0, unclaimed = 0;
  for (const InputReport& input : result.inputs) {
    failed += input.state == InputState::kFailed;
    unreadable += static_cast<long long>(input.unreadable.size());
    unclaimed += static_cast<long long>(input.unclaimed.size());
  }
  std::vector<std::string> parts;
  if (failed > 0) parts.push_back(Counted(failed, "input") + " not exported");
  if (unreadable > 0) parts.push_back(Counted(unreadable, "unreadable range") + " of bytes left out");
  if (unclaimed > 0)
    parts.push_back(Counted(unclaimed, "stretch", "stretches") + " of bytes that no message claims left out");
  if (!result.search.unreadable.empty())
    parts.push_back(Counted(static_cast<long long>(result.search.unreadable.size()), "entry", "entries") +
                    " of the folder that could not be read");
  if (!result.reportProblem.empty()) parts.push_back("the report could not be written");
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace

std::string IdentityReportText(const std::string& folder, const IdentityExportResult& result) {
  std::string text = "Recovery report\nRead from: " + folder + "\nWritten to: " + result.outFolder + "\n";
  if (!result.refused.empty()) return text + "\nNothing exported: " + result.refused + "\n";
  text += "\n";
  long long stores = 0, listed = 0, foundOnly = 0, contacts = 0;
  for (const InputReport& input : result.inputs) {
    AppendInput(text, input);
    // The sums are of what is on disk: a failed or stopped input's files are gone.
    if (!input.Written()) continue;
    if (input.kind == InputKind::kAddressBook) {
      contacts += input.listed;
      continue;
    }
    ++stores;
    listed += input.listed;
    foundOnly += input.foundOnly;
  }
  if (!result.search.unreadable.empty()) {
    text += "\nLeft out, as they could not be read:\n";
    for (const PassedOver& entry : result.search.unreadable) text += "  " + entry.path + ": " + entry.cause + "\n";
  }
  if (!result.search.linksNotFollowed.empty()) {
    text += "\nLinks not followed:\n";
    for (const PassedOver& link : result.search.linksNotFollowed) text += "  " + link.path + ": " + link.cause + "\n";
  }
  if (!result.reportProblem.empty()) text += "\n" + result.reportProblem + "\n";
  text += "\n" + Counted(stores, "store") + ": " + Counted(listed + foundOnly, "message") + " (" +
          std::to_string(listed) + " listed by an index, " + std::to_string(foundOnly) + " found only in the store); " +
          Counted(contacts, "contact") + ".\n";
  if (result.stopped) {
    text += "Stopped: the files of the inputs finished before the stop are kept.\n";
  } else if (!result.Complete()) {
    text += "Not everything could be exported: " + LeftOut(result) + " (see above).\n";
  } else {
    text += "Everything was exported.\n";
  }
  return text;
}

}  // namespace tessel::moving
