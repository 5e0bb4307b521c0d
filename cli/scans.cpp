#include "cli/scans.h"

#include <algorithm>
#include <cctype>
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

ScanMode ModeForPath(const std::string& path) {
  if (path.size() < 4) return ScanMode::kMessageStore;
  std::string extension = path.substr(path.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".imb" ? ScanMode::kAddressBook : ScanMode::kMessageStore;
}

MessageScan ScanMessages(const std::string& path, ProgressBar& progress, const MessageRowHandler& onRow) {
  MessageScan scan;
  ScanState state;
  bool wantsMore = true;
  RowStreamList list([&](const std::vector<std::string>& cells) {
    if (!wantsMore) return;
    ++scan.rows;
    // Rows come complete; only a short one is copied to be padded.
    const bool keepGoing = cells.size() >= static_cast<size_t>(kMessageCellCount)
                               ? onRow(scan.rows, cells, state.storeFile)
                               : onRow(scan.rows, Padded(cells, ScanMode::kMessageStore), state.storeFile);
    if (!keepGoing) {
      wantsMore = false;
      state.stopRequested.store(1);
    }
  });
  ScanContext context = state.ContextFor(list, progress);
  {
    StopOnInterrupt interrupt(state.stopRequested);
    ScanMessageStore(context, path);
    list.Finish();
  }
  state.openSourceFile.Close();
  scan.storeFile = state.storeFile;
  scan.interrupted = StopOnInterrupt::Interrupted();
  return scan;
}

ContactScan ScanContacts(const std::string& path) {
  ContactScan scan;
  ScanState state;
  MemoryList list;
  MemoryProgressBar progress;
  ScanContext context = state.ContextFor(list, progress);
  scan.result = ScanAddressBook(context, path, kContactsFolder);
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
