// Every read of the raw scan, the index walk, the address book walk and the
// record copy made to fail in turn, or to come back short: no crash, no hang
// (each run ends, under the test's time limit), and rows made only of the bytes
// that were read.
#include <algorithm>
#include <cerrno>
#include <memory>

#include "engine/store_scans.h"
#include "tests/engine/scan_fixture.h"
#include "tests/support/faulty_reader.h"

namespace tessel::testing {
namespace {

using Fault = FaultyReader::Fault;

struct FaultCase {
  Fault fault;
  bool persistent;
};
constexpr FaultCase kFaultCases[] = {
    {Fault::kError, false}, {Fault::kError, true}, {Fault::kShortCount, false}, {Fault::kShortCount, true}};

std::string Describe(const FaultCase& c, std::int64_t call) {
  return std::string(c.fault == Fault::kError ? "error" : "short count") + (c.persistent ? " from" : " at") + " call " +
         std::to_string(call);
}

// Runs `scan` with a fault at each call in turn, until a run ends before the
// chosen call; `check` judges each run.
template <typename Scan, typename Check>
void AtEveryCall(const std::string& bytes, Scan scan, Check check) {
  for (const FaultCase& c : kFaultCases) {
    for (std::int64_t call = 0;; ++call) {
      FaultyReader reader(bytes, call, c.fault, c.persistent);
      scan(reader);
      if (!reader.Faulted()) break;
      check(c, Describe(c, call));
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

using Messages = std::vector<tessel::MessageRow>;

// A message row is sound when its record lies in the store and starts where
// a message of the undamaged scan starts.
// (`clean` empty: any start.)
void ExpectSoundMessageRows(const Messages& rows, const Messages& clean, std::int64_t storeSize,
                            const std::string& what) {
  for (const tessel::MessageRow& row : rows) {
    const auto [offset, length] = row.record;
    EXPECT_TRUE(offset >= 0 && length > 0 && offset + length <= storeSize) << what;
    const bool known =
        std::any_of(clean.begin(), clean.end(), [&](const tessel::MessageRow& c) { return c.record.offset == offset; });
    EXPECT_TRUE(known || clean.empty()) << what << ": a row at " << offset;
  }
}

// The raw scan lists a message for each boundary text it read, in store order,
// without overlaps, at most once each; a message whose header lines before the
// boundary could not be read starts at a later line of them, down to the
// boundary's own.
void ExpectSoundRawScanRows(const Messages& rows, const Messages& clean, const std::string& store,
                            const std::string& what) {
  ExpectSoundMessageRows(rows, {}, static_cast<std::int64_t>(store.size()), what);
  EXPECT_LE(rows.size(), clean.size()) << what;
  std::int64_t previousEnd = 0;
  for (const tessel::MessageRow& row : rows) {
    const std::int64_t offset = row.record.offset;
    EXPECT_GE(offset, previousEnd) << what;
    previousEnd = row.record.End();
    const bool inHeaderLines = std::any_of(clean.begin(), clean.end(), [&](const tessel::MessageRow& c) {
      const std::int64_t start = c.record.offset;
      const auto boundary = static_cast<std::int64_t>(store.find("MIME-Version: 1.", start));
      return start <= offset && offset <= boundary && (offset == 0 || store[offset - 1] == '\n');
    });
    EXPECT_TRUE(inHeaderLines) << what << ": a row at " << offset;
  }
}

std::string Store() {
  std::string store = "junk before\r\n";
  for (int i = 0; i < 6; ++i) {
    store += i % 2 == 0 ? Message("m" + std::to_string(i) + "@x.org", "Subject " + std::to_string(i),
                                  std::string(300 * i, 'b') + "\r\n")
                        : MessageWithLeadingHeaders("n@x.org", "T" + std::to_string(i));
  }
  return store;
}

TEST(FaultInjection, RawScanListsOnlyMessagesItRead) {
  const std::string store = Store();
  for (std::size_t blockSize : {BlockReader::kSmallestBlock, std::size_t{700}}) {
    EngineRun clean;
    MemoryReader whole(store, static_cast<std::int64_t>(store.size()));
    RawScanStore(clean.ports, whole, blockSize);
    ASSERT_EQ(clean.rows().size(), 6u);
    std::unique_ptr<EngineRun> run;
    AtEveryCall(
        store,
        [&](FaultyReader& reader) {
          run = std::make_unique<EngineRun>();
          RawScanStore(run->ports, reader, blockSize);
        },
        [&](const FaultCase&, const std::string& what) {
          ExpectSoundRawScanRows(run->list.Messages(), clean.list.Messages(), store,
                                 what + ", block " + std::to_string(blockSize));
        });
  }
}

TEST(FaultInjection, IndexWalkListsOnlyMessagesItRead) {
  std::string store, index = IndexHeader();
  for (int i = 0; i < 6; ++i) {
    const std::string message = Message("m" + std::to_string(i) + "@x.org", "S" + std::to_string(i));
    store += message;
    index += IndexEntry(i == 3 ? 0 : static_cast<std::uint32_t>(message.size()));  // one rejected: a raw scan
  }
  const auto whole = [](const std::string& bytes) {
    return MemoryReader(bytes, static_cast<std::int64_t>(bytes.size()));
  };
  EngineRun clean;
  MemoryReader cleanIndex = whole(index), cleanStore = whole(store);
  WalkIndex(clean.ports, cleanIndex, cleanStore, BlockReader::kSmallestBlock);
  ASSERT_GT(clean.rows().size(), 6u);
  std::unique_ptr<EngineRun> run;
  // Faults in the index's reads, then in the store's.
  for (const bool inIndex : {true, false}) {
    AtEveryCall(
        inIndex ? index : store,
        [&](FaultyReader& faulty) {
          run = std::make_unique<EngineRun>();
          MemoryReader other = whole(inIndex ? store : index);
          ByteReader& indexReader = inIndex ? static_cast<ByteReader&>(faulty) : other;
          ByteReader& storeReader = inIndex ? static_cast<ByteReader&>(other) : faulty;
          WalkIndex(run->ports, indexReader, storeReader, BlockReader::kSmallestBlock);
        },
        [&](const FaultCase&, const std::string& what) {
          ExpectSoundMessageRows(run->list.Messages(), clean.list.Messages(), static_cast<std::int64_t>(store.size()),
                                 (inIndex ? "index, " : "store, ") + what);
        });
  }
}

TEST(FaultInjection, RecordCopyPassesOnOnlyBytesItRead) {
  const std::string store = Store();
  const std::int64_t offset = 13, length = static_cast<std::int64_t>(store.size()) - 20;  // a few chunks
  std::string copied;
  std::int64_t count = 0;
  AtEveryCall(
      store,
      [&](FaultyReader& reader) {
        copied.clear();
        count = CopyRecord(reader, offset, length, [&](const char* bytes, std::size_t n) {
          copied.append(bytes, n);
          return true;
        });
      },
      [&](const FaultCase&, const std::string& what) {
        EXPECT_EQ(count, static_cast<std::int64_t>(copied.size())) << what;
        EXPECT_LT(count, length) << what;  // a copy cut short says so in its count
        EXPECT_EQ(copied, store.substr(offset, copied.size())) << what;
      });
}

// The address book walk lists each contact's fields as far as they were read,
// and a read error ends it where it struck, for the front ends to report.
TEST(FaultInjection, AddressBookListsOnlyFieldsItRead) {
  std::string book(mailfiles::kAddressBookHeaderSize, 'H');
  for (int i = 0; i < 3; ++i) {
    std::vector<mailfiles::ContactField> fields;
    for (int k = 1; k <= mailfiles::kContactFieldCount; ++k)
      fields.push_back({k, std::string(k % 3 == 0 ? 60 : 7, static_cast<char>('a' + k)) + std::to_string(i)});
    book += mailfiles::ContactRecord(fields);
  }
  book.resize(book.size() - 1000);  // the last contact torn
  MemoryRows cleanRows;
  MemoryReader whole(book, static_cast<std::int64_t>(book.size()));
  ASSERT_EQ(WalkAddressBook(whole, cleanRows).status, AddressBookResult::Status::kWalked);
  const std::vector<tessel::ContactRow>& clean = cleanRows.Contacts();
  ASSERT_EQ(clean.size(), 3u);
  for (const FaultCase& c : kFaultCases) {
    for (std::int64_t call = 0;; ++call) {
      FaultyReader reader(book, call, c.fault, c.persistent);
      MemoryRows list;
      const AddressBookResult result = WalkAddressBook(reader, list);
      if (!reader.Faulted()) break;
      const std::string what = Describe(c, call);
      // Row r is contact r; each cell is its undamaged text or the first bytes of it.
      const std::vector<tessel::ContactRow>& contacts = list.Contacts();
      const auto rows = static_cast<std::int64_t>(contacts.size());
      ASSERT_LE(contacts.size(), clean.size()) << what;
      for (std::size_t r = 0; r < contacts.size(); ++r) {
        const CellRow& cells = contacts[r].cells;
        const CellRow& full = clean[r].cells;
        for (std::size_t k = 0; k < cells.size(); ++k)
          EXPECT_EQ(full.cell(k).compare(0, cells.cell(k).size(), cells.cell(k)), 0)
              << what << ", contact " << r << ", cell " << k;
      }
      if (result.status == AddressBookResult::Status::kReadError) {
        EXPECT_EQ(result.errorCode, EIO) << what;
        EXPECT_EQ(rows, (result.errorOffset - 70) / 2466 + ((result.errorOffset - 70) % 2466 != 0)) << what;
      } else {
        ASSERT_EQ(result.status, AddressBookResult::Status::kWalked) << what;
        EXPECT_GE(contacts.size() + 1, clean.size()) << what;  // a torn last contact may read as blank
        if (c.fault == Fault::kError) {
          EXPECT_EQ(RowCells(contacts), RowCells(clean)) << what;  // the fault cost nothing
        }
      }
      if (c.fault == Fault::kError && c.persistent) {
        EXPECT_EQ(result.status, AddressBookResult::Status::kReadError) << what;
      }
    }
  }
}

}  // namespace
}  // namespace tessel::testing
