#include "recovery/save_notice.h"

#include "recovery/plural.h"

namespace tessel::recovery {
namespace {

// The records not saved as stored: "; 1 cut short where the store ends".
std::string CutShortNote(const SaveOutcome& outcome) {
  std::string note;
  if (outcome.cutShort > 0) note += "; " + std::to_string(outcome.cutShort) + " cut short where the store ends";
  if (outcome.unreadable > 0)
    note += "; " + std::to_string(outcome.unreadable) + " with bytes that could not be read (NUL bytes in their place)";
  if (outcome.endedEarly > 0) {
    note += "; " + std::to_string(outcome.endedEarly) +
            " not saved whole: the store gave out before the size it had when opened";
  }
  if (outcome.blankLeftOut > 0) note += "; " + Counted(outcome.blankLeftOut, "blank contact record") + " left out";
  return note;
}

}  // namespace

std::string DescribeSaveEnd(const SaveOutcome& outcome, const std::string& folderLink) {
  const std::string files = Counted(outcome.written, "file");
  if (!outcome.failedFile.empty())
    return "The file " + outcome.failedFile + " could not be written: " + outcome.reason + ".<br>" + files +
           " had been written to " + folderLink + " before it" + CutShortNote(outcome) + ".";
  if (outcome.cancelled)
    return "Saving was cancelled. " + files + " written to " + folderLink + CutShortNote(outcome) + ".";
  return files + " written to " + folderLink + CutShortNote(outcome) + ".";
}

std::string DescribeHiddenChecked(int hidden, bool contacts) {
  if (hidden <= 0) return {};
  return "<br>" + Counted(hidden, contacts ? "ticked contact" : "ticked message") +
         (hidden == 1 ? " that the search hides was" : " that the search hides were") + " saved too.";
}

}  // namespace tessel::recovery
