#include "cli/scans.h"

#include <cstring>

#include "cli/interrupt.h"
#include "engine/memory_list.h"
#include "engine/message_store_scan.h"
#include "engine/row_stream_list.h"
#include "engine/scan_context.h"

namespace tessel::cli {
namespace {

// The folder the address book walk forms its contacts file path in; the
// command line does not use that path.
constexpr char kContactsFolder[] = ".";

Row Padded(const std::vector<std::string>& cells, ScanMode mode) {
  Row row = cells;
  if (row.size() < static_cast<size_t>(CellCount(mode))) row.resize(CellCount(mode));
  return row;
}

}  // namespace

ScanMode ModeOf(const ChosenFile& chosen) {
  return chosen.kind == FileKind::kAddressBook ? ScanMode::kAddressBook : ScanMode::kMessageStore;
}

MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow) {
  MessageScan scan;
  ScanState state;
  bool wantsMore = true;
  RowStreamList list([&](const std::vector<std::string>& cells) {
    if (!wantsMore) return;
    ++scan.rows;
    // Rows come complete; only a short one is copied to be padded.
    const bool keepGoing = cells.size() >= static_cast<size_t>(kMessageCellCount)
                               ? onRow(scan.rows, cells)
                               : onRow(scan.rows, Padded(cells, ScanMode::kMessageStore));
    if (!keepGoing) {
      wantsMore = false;
      state.stopRequested.store(1);
    }
  });
  ScanContext context = state.ContextFor(list, progress);
  {
    StopOnInterrupt interrupt(state.stopRequested);
    ScanMessageStore(context, chosen);
    list.Finish();
  }
  state.openSourceFile.Close();
  scan.storeFile = state.storeFile;
  scan.interrupted = StopOnInterrupt::Interrupted();
  return scan;
}

ContactScan ScanContacts(const ChosenFile& chosen) {
  ContactScan scan;
  ScanState state;
  MemoryList list;
  MemoryProgressBar progress;
  ScanContext context = state.ContextFor(list, progress);
  scan.result = ScanAddressBook(context, chosen.path, kContactsFolder);
  for (const std::vector<std::string>& cells : list.Rows()) {
    scan.rows.push_back(Padded(cells, ScanMode::kAddressBook));
  }
  return scan;
}

std::string AddressBookProblem(const ContactScan& scan, const std::string& path) {
  switch (scan.result.status) {
    case AddressBookResult::Status::kWalked:
      return {};
    case AddressBookResult::Status::kNotOpened:
      return "cannot open '" + path + "'";
    case AddressBookResult::Status::kReadError:
      break;
  }
  return "read error in '" + path + "' at byte " + std::to_string(scan.result.errorOffset) + ": " +
         std::strerror(scan.result.errorCode) + "; the contacts before it are kept";
}

}  // namespace tessel::cli
