#include "recovery/scan.h"

#include "engine/address_book_scan.h"
#include "engine/deep_scan.h"
#include "engine/index_format.h"
#include "engine/message_row.h"
#include "engine/source_file.h"
#include "engine/store_scans.h"

namespace tessel::recovery {
namespace {

ScanResult OpenAndScanAddressBook(const ChosenFile& chosen, RecoveredList& list) {
  SourceFile book;
  if (book.Open(chosen.path)) return ScanAddressBook(book, list);
  ScanResult result;
  result.end = ScanEnd::kFileNotOpened;
  return result;
}

// Marks each message row whose record holds unreadable bytes, while it is
// still the last row, the one the engine may change.
class UnreadableMarks final : public RecoveredList {
 public:
  UnreadableMarks(RecoveredList& list, const SkippingReader& store) : list_(list), store_(store) {}

  int AppendRow(const std::string& firstCell) override {
    MarkLast();
    return last_ = list_.AppendRow(firstCell);
  }
  void InsertRowAtTop(const std::string& firstCell) override { list_.InsertRowAtTop(firstCell); }
  void SetCell(int row, int column, std::string_view text) override { list_.SetCell(row, column, text); }
  std::string GetCell(int row, int column) const override { return list_.GetCell(row, column); }
  int RowCount() const override { return list_.RowCount(); }
  void DeleteRow(int row) override {
    if (row == last_) last_ = -1;
    list_.DeleteRow(row);
  }

  // Called once more when the scan has returned, for its last row.
  void MarkLast() {
    if (last_ < 0 || !store_.AnyUnreadable()) return;
    const MessageRecord record = RecordOfRow(list_, last_);
    if (store_.Overlaps(record.offset, record.offset + record.length))
      list_.SetCell(last_, kUnreadableCell, kUnreadableMark);
  }

 private:
  RecoveredList& list_;
  const SkippingReader& store_;
  int last_ = -1;
};

void NoteUnreadable(const std::string& path, const SkippingReader& reader, ScanResult& result) {
  for (const UnreadableRange& range : reader.Unreadable()) result.unreadable.push_back({path, range});
}

// The store's messages through `index` (null: the store's bytes alone).
void ScanStore(ScanPorts& ports, ScanMode mode, ByteReader& store, ByteReader* index) {
  if (mode == ScanMode::kDeep)
    DeepScan(ports, store, index);
  else if (index != nullptr)
    WalkIndex(ports, *index, store);
  else
    RawScanStore(ports, store);
}

ScanResult ScanMessages(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RecoveredList& list,
                        ProgressBar& progress) {
  ScanResult result;
  stopRequested.store(0);
  SourceFile chosenFile;
  if (!chosenFile.Open(chosen.path)) {
    result.end = ScanEnd::kFileNotOpened;
    return result;
  }
  result.storePath = chosen.storePath;
  SourceFile storeFile;
  if (chosen.kind != FileKind::kStore && !storeFile.Open(chosen.storePath)) {
    result.end = ScanEnd::kStoreNotOpened;
    return result;
  }
  SkippingReader chosenReader(chosenFile);
  SkippingReader storeReader(storeFile);
  SkippingReader& store = chosen.kind == FileKind::kStore ? chosenReader : storeReader;
  UnreadableMarks marked(list, store);
  ScanPorts ports{marked, progress, stopRequested};
  // A rejected index is no guide: the usual scan then searches the store, as the deep scan does.
  if (chosen.kind == FileKind::kStore)
    ScanStore(ports, mode, store, nullptr);
  else
    ScanStore(ports, mode, store, IndexSignatureAccepted(chosenReader) ? &chosenReader : nullptr);
  marked.MarkLast();
  if (chosen.kind != FileKind::kStore) NoteUnreadable(chosen.path, chosenReader, result);
  NoteUnreadable(chosen.storePath, store, result);
  if (!result.unreadable.empty()) result.end = ScanEnd::kReadError;
  if (stopRequested.load() != 0) result.end = ScanEnd::kStopped;
  return result;
}

}  // namespace

ScanResult ScanAddressBook(ByteReader& book, RecoveredList& list) {
  ScanResult result;
  const int rowsBefore = list.RowCount();
  const AddressBookResult walked = WalkAddressBook(book, list);
  if (walked.status == AddressBookResult::Status::kReadError) {
    result.end = ScanEnd::kReadError;
    result.errorOffset = walked.errorOffset;
    result.errorCode = walked.errorCode;
  }
  result.rows = list.RowCount() - rowsBefore;
  return result;
}

ScanResult RunScan(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RecoveredList& list,
                   ProgressBar& progress) {
  const int rowsBefore = list.RowCount();
  ScanResult result = mode == ScanMode::kAddressBook || chosen.kind == FileKind::kAddressBook
                          ? OpenAndScanAddressBook(chosen, list)
                          : ScanMessages(chosen, mode, stopRequested, list, progress);
  result.rows = list.RowCount() - rowsBefore;
  return result;
}

}  // namespace tessel::recovery
