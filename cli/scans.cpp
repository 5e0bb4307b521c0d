#include "cli/scans.h"

#include <algorithm>
#include <cstring>

#include "cli/commands.h"
#include "cli/interrupt.h"
#include "engine/address_book_scan.h"
#include "engine/memory_rows.h"
#include "recovery/plural.h"
#include "recovery/row_batch.h"

namespace tessel::cli {
namespace {

// Final rows are printed in batches this large at most, so that a slow
// terminal still sees rows as they come.
constexpr std::size_t kPrintBatch = 64;

// Hands each row to the command's handler until it wants no more.
class HandlerSink final : public recovery::BatchSink {
 public:
  HandlerSink(const MessageRowHandler& onRow, std::atomic<int>& stop) : onRow_(onRow), stop_(stop) {}
  void AddMessages(std::vector<MessageRow>& rows) override {
    for (const MessageRow& row : rows) {
      if (!wantsMore_) return;
      if (!onRow_(++handed_, row)) {
        wantsMore_ = false;
        stop_.store(1);
      }
    }
  }
  // A message store scan hands on no contacts.
  void AddContacts(std::vector<ContactRow>&) override {}
  long long Handed() const { return handed_; }

 private:
  const MessageRowHandler& onRow_;
  std::atomic<int>& stop_;
  long long handed_ = 0;
  bool wantsMore_ = true;
};

// The contacts in list order, the last contact of the file first, as the wizard lists them.
std::vector<ContactRow> InListOrder(MemoryRows& rows) {
  std::vector<ContactRow> contacts = rows.TakeContacts();
  std::reverse(contacts.begin(), contacts.end());
  return contacts;
}

}  // namespace

MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow,
                         ScanMode mode) {
  MessageScan scan;
  // The scan clears its stop flag as it starts: a stop asked for before then
  // (between an export's stores) would be lost in it.
  if (StopOnInterrupt::Interrupted()) {
    scan.interrupted = true;
    return scan;
  }
  std::atomic<int> stop{0};
  HandlerSink sink(onRow, stop);
  {
    recovery::RowBatch batch(sink, kPrintBatch);
    StopOnInterrupt interrupt(stop);
    scan.result = recovery::RunScan(chosen, mode, stop, batch, progress);
  }
  scan.rows = sink.Handed();
  scan.interrupted = StopOnInterrupt::Interrupted();
  return scan;
}

ContactScan ScanContacts(const ChosenFile& chosen) {
  ContactScan scan;
  MemoryRows rows;
  std::atomic<int> stop{0};
  MemoryProgressBar progress;
  scan.result = recovery::RunScan(chosen, ScanMode::kAddressBook, stop, rows, progress);
  // Taken over, not copied: an address book of any size is held once.
  scan.rows = InListOrder(rows);
  return scan;
}

ContactScan ScanContacts(ByteReader& book) {
  ContactScan scan;
  MemoryRows rows;
  scan.result = recovery::ScanAddressBook(book, rows);
  scan.rows = InListOrder(rows);
  return scan;
}

bool LooksLikeAddressBook(const std::string& path) {
  SourceFile file;
  return file.Open(path) && tessel::LooksLikeAddressBook(file);
}

bool ReportUnreadable(const MessageScan& scan) {
  for (const recovery::UnreadableStretch& stretch : scan.result.unreadable) {
    Warn("read error in '" + stretch.path + "' at bytes " + std::to_string(stretch.range.begin) + "-" +
         std::to_string(stretch.range.end - 1) + ": " + std::strerror(stretch.range.errorCode) +
         "; the messages around it are listed");
  }
  return !scan.result.unreadable.empty();
}

std::string AddressBookProblem(const ContactScan& scan, const std::string& path) {
  switch (scan.result.end) {
    case recovery::ScanEnd::kFileNotOpened:
      return "cannot open '" + path + "'";
    case recovery::ScanEnd::kReadError: {
      // The first stretch names the place; the others are counted.
      const recovery::UnreadableStretch& first = scan.result.unreadable.front();
      std::string text = "read error in '" + path + "' at bytes " + std::to_string(first.range.begin) + "-" +
                         std::to_string(first.range.end - 1) + ": " + std::strerror(first.range.errorCode);
      if (scan.result.unreadable.size() > 1)
        text +=
            " (and " + recovery::Counted(static_cast<long long>(scan.result.unreadable.size()) - 1, "more place") + ")";
      return text + "; the contacts around it are listed";
    }
    default:
      return {};
  }
}

}  // namespace tessel::cli
