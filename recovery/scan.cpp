#include "recovery/scan.h"

#include <algorithm>
#include <vector>

#include "engine/address_book_scan.h"
#include "engine/deep_scan.h"
#include "engine/index_format.h"
#include "engine/message_row.h"
#include "engine/skipping_reader.h"
#include "engine/source_file.h"
#include "engine/store_scans.h"

namespace tessel::recovery {
namespace {

// The contacts of an address book read past its bad sectors: a record none of
// whose bytes could be read is left out (its NUL bytes would pass for a wiped
// contact); one read in part keeps what was read. Counts what it hands on.
class ReadableContacts final : public RowSink {
 public:
  ReadableContacts(RowSink& rows, const SkippingReader& book) : rows_(rows), book_(book) {}
  void AddMessage(MessageRow& row) override { rows_.AddMessage(row); }
  void AddContact(ContactRow& row) override {
    // The walk hands on one row for each record it begins, in file order.
    const std::int64_t begin = ContactRecordStart(records_++);
    if (WhollyUnreadable(begin, std::min(begin + ContactRecordSize(), book_.Size()))) return;
    ++count_;
    rows_.AddContact(row);
  }
  long long Count() const { return count_; }

 private:
  // Noted ranges are joined where they meet: a record wholly unreadable lies in one.
  bool WhollyUnreadable(std::int64_t begin, std::int64_t end) {
    within_.clear();
    book_.AppendUnreadableIn(begin, end, within_);
    return within_.size() == 1 && within_[0].begin == begin && within_[0].end == end;
  }

  RowSink& rows_;
  const SkippingReader& book_;
  long long records_ = 0;
  long long count_ = 0;
  std::vector<UnreadableRange> within_;  // reused for each record
};

ScanResult OpenAndScanAddressBook(const ChosenFile& chosen, RowSink& rows) {
  SourceFile book;
  if (book.Open(chosen.path)) return ScanAddressBook(book, rows, chosen.path);
  ScanResult result;
  result.end = ScanEnd::kFileNotOpened;
  return result;
}

// Gives each message row the bytes of its record that could not be read. A
// row is held until the next one comes, so that the reads the scan made for
// it are all noted; counts the rows.
class UnreadableMarks final : public RowSink {
 public:
  UnreadableMarks(RowSink& rows, const SkippingReader& store) : rows_(rows), store_(store) {}

  void AddMessage(MessageRow& row) override {
    HandOnHeld();
    std::swap(held_, row);
    holding_ = true;
  }
  void AddContact(ContactRow& row) override { rows_.AddContact(row); }

  // Called once more when the scan has returned, for its last row.
  void HandOnHeld() {
    if (!holding_) return;
    store_.AppendUnreadableIn(held_.record.offset, held_.record.End(), held_.unreadable);
    ++count_;
    rows_.AddMessage(held_);
    holding_ = false;
  }
  long long Count() const { return count_; }

 private:
  RowSink& rows_;
  const SkippingReader& store_;
  MessageRow held_;
  bool holding_ = false;
  long long count_ = 0;
};

// The usual scan lists each record once. Its index walk and the search of the
// store that a rejected entry starts may both find the same record; the first
// listing stays and later ones are left out, counted. Each road lists its
// records in store order, so a record is looked for among the other road's
// by a binary search.
class OnceEach final : public RowSink {
 public:
  explicit OnceEach(RowSink& rows) : rows_(rows) {}

  void AddMessage(MessageRow& row) override {
    const bool fromIndex = row.origin == Origin::kIndex;
    const std::vector<MessageRecord>& other = fromIndex ? searched_ : indexed_;
    if (!other.empty() && std::binary_search(other.begin(), other.end(), row.record, ByOffset)) {
      ++repeats_;
      return;
    }
    (fromIndex ? indexed_ : searched_).push_back(row.record);
    rows_.AddMessage(row);
  }
  void AddContact(ContactRow& row) override { rows_.AddContact(row); }
  long long Repeats() const { return repeats_; }

 private:
  static bool ByOffset(const MessageRecord& a, const MessageRecord& b) {
    return a.offset != b.offset ? a.offset < b.offset : a.length < b.length;
  }

  RowSink& rows_;
  std::vector<MessageRecord> indexed_;   // in store order
  std::vector<MessageRecord> searched_;  // in store order
  long long repeats_ = 0;
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

ScanResult ScanMessages(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RowSink& rows,
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
  UnreadableMarks marked(rows, store);
  OnceEach once(marked);
  // The deep scan lists each byte of the store once by its own rule.
  ScanPorts ports{mode == ScanMode::kDeep ? static_cast<RowSink&>(marked) : once, progress, stopRequested};
  // A rejected index is no guide: the usual scan then searches the store, as the deep scan does.
  if (chosen.kind == FileKind::kStore)
    ScanStore(ports, mode, store, nullptr);
  else
    ScanStore(ports, mode, store, IndexSignatureAccepted(chosenReader) ? &chosenReader : nullptr);
  marked.HandOnHeld();
  result.rows = marked.Count();
  result.repeats = once.Repeats();
  if (chosen.kind != FileKind::kStore) NoteUnreadable(chosen.path, chosenReader, result);
  NoteUnreadable(chosen.storePath, store, result);
  if (!result.unreadable.empty()) result.end = ScanEnd::kReadError;
  if (stopRequested.load() != 0) result.end = ScanEnd::kStopped;
  return result;
}

}  // namespace

ScanResult ScanAddressBook(ByteReader& book, RowSink& rows, const std::string& path) {
  ScanResult result;
  SkippingReader skipping(book);
  ReadableContacts readable(rows, skipping);
  // The skipping reader hands out unreadable bytes as NUL bytes: no read fails.
  WalkAddressBook(skipping, readable);
  NoteUnreadable(path, skipping, result);
  if (!result.unreadable.empty()) result.end = ScanEnd::kReadError;
  result.rows = readable.Count();
  return result;
}

ScanResult RunScan(const ChosenFile& chosen, ScanMode mode, std::atomic<int>& stopRequested, RowSink& rows,
                   ProgressBar& progress) {
  return mode == ScanMode::kAddressBook || chosen.kind == FileKind::kAddressBook
             ? OpenAndScanAddressBook(chosen, rows)
             : ScanMessages(chosen, mode, stopRequested, rows, progress);
}

}  // namespace tessel::recovery
