#include "recovery/scan.h"

#include "engine/address_book_scan.h"
#include "engine/deep_scan.h"
#include "engine/index_format.h"
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

// The store's messages through `index` (null: the store's bytes alone).
void ScanStore(ScanPorts& ports, ScanMode mode, ByteReader& store, ByteReader* index) {
  if (mode == ScanMode::kDeep)
    DeepScan(ports, store, index);
  else if (index != nullptr)
    WalkIndex(ports, *index, store);
  else
    RawScanStore(ports, store);
}

ScanResult ScanMessages(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, ScanPorts& ports) {
  ScanResult result;
  stopRequested.store(0);
  SourceFile chosenFile;
  if (!chosenFile.Open(chosen.path)) {
    result.end = ScanEnd::kFileNotOpened;
    return result;
  }
  result.storePath = chosen.storePath;
  if (chosen.kind == FileKind::kStore) {
    ScanStore(ports, mode, chosenFile, nullptr);
  } else {
    SourceFile store;
    if (!store.Open(chosen.storePath)) {
      result.end = ScanEnd::kStoreNotOpened;
      return result;
    }
    // A rejected index is no guide: the usual scan then searches the store, as the deep scan does.
    ScanStore(ports, mode, store, IndexSignatureAccepted(chosenFile) ? &chosenFile : nullptr);
  }
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
  ScanPorts ports{list, progress, stopRequested};
  ScanResult result = mode == ScanMode::kAddressBook || chosen.kind == FileKind::kAddressBook
                          ? OpenAndScanAddressBook(chosen, list)
                          : ScanMessages(chosen, mode, stopRequested, ports);
  result.rows = list.RowCount() - rowsBefore;
  return result;
}

}  // namespace tessel::recovery
