// The identity export's report: what a user leaving IncrediMail reads to know
// that nothing was lost, or what was and why.
#include <cstring>

#include "export/file_system.h"
#include "moving/identity_export.h"

namespace tessel::moving {
using exporting::FileName;

namespace {

std::string Count(long long count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

const char* KindText(InputKind kind) {
  switch (kind) {
    case InputKind::kIndexedStore:
      return "index and store";
    case InputKind::kStore:
      return "store without an index";
    case InputKind::kAddressBook:
      return "address book";
  }
  return "";
}

std::string Arrow(const std::string& name) { return name.empty() ? std::string() : " -> " + name; }

void AppendInput(std::string& text, const InputReport& input) {
  text += input.relativePath + " (" + KindText(input.kind) + ")\n";
  const std::string first = input.outputs.empty() ? std::string() : FileName(input.outputs.front());
  if (input.kind == InputKind::kAddressBook) {
    std::string names;
    for (const std::string& path : input.outputs) names += (names.empty() ? "" : ", ") + FileName(path);
    if (input.state != InputState::kFailed && input.state != InputState::kStopped) {
      text += "  " + Count(input.listed, "contact") + Arrow(names) + "\n";
      if (input.blankContacts > 0) text += "  " + Count(input.blankContacts, "blank record") + " left out\n";
    }
  } else if (input.state != InputState::kFailed && input.state != InputState::kStopped &&
             input.state != InputState::kWaiting) {
    if (input.indexUsed) {
      text += "  " + Count(input.listed, "message") + " listed by the index" + Arrow(first) + "\n";
      const std::string second = input.outputs.size() > 1 ? FileName(input.outputs[1]) : std::string();
      text += "  " + Count(input.foundOnly, "message") + " found only in the store" + Arrow(second) + "\n";
    } else {
      text += "  " + Count(input.foundOnly, "message") + " found only in the store (no index to tell)" + Arrow(first) +
              "\n";
    }
    text += "  " + std::to_string(input.cutShort) + " cut short, " + std::to_string(input.unreadable.size()) +
            " unreadable " + (input.unreadable.size() == 1 ? "range" : "ranges") + "\n";
  }
  for (const recovery::UnreadableStretch& stretch : input.unreadable) {
    text += "  unreadable: bytes " + std::to_string(stretch.range.begin) + "-" + std::to_string(stretch.range.end - 1) +
            " of '" + stretch.path + "': " + std::strerror(stretch.range.errorCode) + "\n";
  }
  for (const std::string& problem : input.problems) text += "  " + problem + "\n";
  if (input.state == InputState::kStopped) text += "  stopped during this one: its files are removed\n";
  if (input.state == InputState::kWaiting) text += "  not exported: stopped before it\n";
}

}  // namespace

std::string IdentityReportText(const std::string& folder, const std::string& outFolder,
                               const IdentityExportResult& result) {
  std::string text = "Recovery report\nRead from: " + folder + "\nWritten to: " + outFolder + "\n";
  if (!result.refused.empty()) return text + "\nNothing exported: " + result.refused + "\n";
  text += "\n";
  long long stores = 0, listed = 0, foundOnly = 0, contacts = 0;
  for (const InputReport& input : result.inputs) {
    AppendInput(text, input);
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
  text += "\n" + Count(stores, "store") + ": " + Count(listed + foundOnly, "message") + " (" + std::to_string(listed) +
          " listed by an index, " + std::to_string(foundOnly) + " found only in the store); " +
          Count(contacts, "contact") + ".\n";
  if (result.stopped) {
    text += "Stopped: the files of the inputs finished before the stop are kept.\n";
  } else if (!result.Complete()) {
    text += "Not everything could be exported: see above.\n";
  } else {
    text += "Everything was exported.\n";
  }
  return text;
}

}  // namespace tessel::moving
