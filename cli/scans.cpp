#include "cli/scans.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "cli/interrupt.h"
#include "engine/deep_scan.h"
#include "engine/memory_list.h"
#include "engine/message_store_scan.h"
#include "engine/row_stream_list.h"
#include "engine/scan_context.h"
#include "engine/source_file.h"

namespace tessel::cli {
namespace {

// Where an address book's first contact record lies, and its size.
constexpr std::int64_t kFirstContactAt = 70;
constexpr std::size_t kContactRecordSize = 2466;
// Bytes of a record that must be present to judge it: one short field.
constexpr std::size_t kLeastContactBytes = 50;

Row Padded(const std::vector<std::string>& cells, ScanMode mode) {
  Row row = cells;
  if (row.size() < static_cast<size_t>(CellCount(mode))) row.resize(CellCount(mode));
  return row;
}

}  // namespace

ScanMode ModeOf(const ChosenFile& chosen) {
  return chosen.kind == FileKind::kAddressBook ? ScanMode::kAddressBook : ScanMode::kMessageStore;
}

MessageScan ScanMessages(const ChosenFile& chosen, ProgressBar& progress, const MessageRowHandler& onRow, bool deep) {
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
    if (deep)
      DeepScanMessageStore(context, chosen);
    else
      ScanMessageStore(context, chosen);
    list.Finish();
  }
  state.openSourceFile.Close();
  scan.storeFile = state.storeFile;
  scan.interrupted = StopOnInterrupt::Interrupted();
  return scan;
}

ContactScan ScanContacts(const ChosenFile& chosen) {
  SourceFile book;
  if (!book.Open(chosen.path)) return ContactScan{{}, {AddressBookResult::Status::kNotOpened, 0, 0}};
  return ScanContacts(book);
}

ContactScan ScanContacts(ByteReader& book) {
  ContactScan scan;
  MemoryList list;
  scan.result = WalkAddressBook(book, list);
  // Taken over, not copied: an address book of any size is held once.
  scan.rows = list.TakeRows();
  return scan;
}

bool LooksLikeAddressBook(const std::string& path) {
  SourceFile file;
  if (!file.Open(path)) return false;
  std::string record(kContactRecordSize, '\0');
  record.resize(file.ReadAt(kFirstContactAt, record.data(), record.size()));
  if (record.size() < kLeastContactBytes) return false;
  size_t padding = 0;
  for (const char c : record) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) {
      ++padding;
    } else if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
      return false;
    }
  }
  // Fields are short texts in long slots: most of a record is padding.
  return padding * 2 >= record.size();
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
