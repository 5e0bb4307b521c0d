#include "moving/move_words.h"

#include "recovery/notice_lines.h"
#include "recovery/plural.h"

namespace tessel::moving {
using recovery::Counted;
using recovery::FolderLink;

std::string MoveNameText(const InputReport& input) {
  std::string name = input.relativePath;
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

std::string MoveFoundText(const InputReport& input) {
  if (input.state == InputState::kWaiting || input.kind == InputKind::kIndexWithoutStore) return {};
  if (input.kind == InputKind::kAddressBook) return Counted(input.listed, "contact");
  return Counted(input.Messages(), "message");
}

std::string MoveStateText(const InputReport& input, bool ended) {
  switch (input.state) {
    case InputState::kWaiting:
      return ended ? "Not moved: stopped before it" : "Waiting";
    case InputState::kRunning:
      return "Working...";
    case InputState::kDone:
      return "Done";
    case InputState::kIncomplete:
      return "Done, not all of it: see the report";
    case InputState::kFailed:
      if (input.kind == InputKind::kIndexWithoutStore) return "Not moved: its store is missing";
      return input.problems.empty() ? "Failed" : "Failed: " + input.problems.front();
    case InputState::kStopped:
      return "Stopped: its files were removed";
  }
  return {};
}

MoveEndText DescribeMoveEnd(const IdentityExportResult& result, const std::string& output) {
  if (!result.refused.empty()) return {"Nothing was written.", "Nothing was written: " + result.refused + ".", true};
  long long stores = 0, messages = 0, books = 0, contacts = 0, notComplete = 0;
  for (const InputReport& input : result.inputs) {
    if (input.state == InputState::kIncomplete || input.state == InputState::kFailed) ++notComplete;
    if (input.state != InputState::kDone && input.state != InputState::kIncomplete) continue;
    if (input.kind == InputKind::kAddressBook) {
      ++books;
      contacts += input.listed;
    } else {
      ++stores;
      messages += input.Messages();
    }
  }
  const std::string counts = Counted(messages, "message") + " from " + Counted(stores, "message store") + " and " +
                             Counted(contacts, "contact") + " from " + Counted(books, "address book");
  MoveEndText text;
  text.line = (result.stopped ? "Stopped: " : "Done: ") + counts + " written.";
  text.notice = counts + (messages + contacts == 1 ? " was" : " were") + " written to " + FolderLink(output) + ".";
  if (result.stopped)
    text.notice += "<br>Stopped: the files finished before the stop are kept, the one being written was removed.";
  if (notComplete > 0) {
    text.notice += "<br>" + Counted(notComplete, "store or address book", "stores or address books") +
                   " could not be moved completely.";
    text.failed = true;
  }
  if (!result.reportPath.empty())
    text.notice += "<br>The report tells what came of each one: " + FolderLink(result.reportPath) + ".";
  text.notice += "<br>How to bring them into your next mail program: the help page \"" + std::string(kMovingHelpTitle) +
                 "\", linked below the list.";
  return text;
}

}  // namespace tessel::moving
