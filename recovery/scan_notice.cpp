#include "recovery/scan_notice.h"

#include <cstring>

#include "recovery/plural.h"

namespace tessel::recovery {
namespace {

std::string UnreadableText(const ScanResult& result, bool book) {
  std::string text;
  for (const UnreadableStretch& stretch : result.unreadable)
    text += stretch.path + " could not be read at bytes " + std::to_string(stretch.range.begin) + " to " +
            std::to_string(stretch.range.end - 1) + ": " + std::strerror(stretch.range.errorCode) + ".<br>";
  if (book)
    return text +
           "The contacts around those places are listed, those read in part with the fields that could be read; "
           "a contact none of whose bytes could be read is left out.";
  return text +
         "The messages around those places are listed; those that hold unreadable bytes are saved as far as "
         "they could be read.";
}

}  // namespace

ScanEndText DescribeScanEnd(const ScanResult& result, ScanMode mode, const std::string& chosenPath) {
  const bool book = mode == ScanMode::kAddressBook;
  const char* what = book ? "contact" : "message";
  ScanEndText text;
  text.count = result.end == ScanEnd::kStopped ? "Stopped: " + std::to_string(result.rows) + " found before the stop"
                                               : Counted(result.rows, what) + " found";
  if (result.repeats > 0) text.count += " (" + std::to_string(result.repeats) + " found twice, listed once)";
  switch (result.end) {
    case ScanEnd::kFileNotOpened:
      text.notice = chosenPath + " could not be opened: it is missing, or it cannot be read.";
      text.failed = true;
      break;
    case ScanEnd::kStoreNotOpened:
      text.notice = "The messages of the index " + chosenPath + " are kept in the message store " + result.storePath +
                    ", which is missing or cannot be read. Choose the store itself if it has another name.";
      text.failed = true;
      break;
    case ScanEnd::kReadError:
      text.notice = UnreadableText(result, book);
      text.failed = true;
      break;
    case ScanEnd::kComplete:
      if (result.rows == 0)
        text.notice = std::string("No ") + what + "s were found in " + chosenPath +
                      ": it holds none, or it is not an " +
                      (book ? "IncrediMail address book." : "IncrediMail message store.");
      break;
    case ScanEnd::kStopped:
      break;
  }
  return text;
}

}  // namespace tessel::recovery
