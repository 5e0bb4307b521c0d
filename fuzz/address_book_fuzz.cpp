// The address book walk over any bytes. Its fields come out of large blocks,
// or one read per field once a block comes back short: both roads must list the
// same rows, one per record begun (the last dropped when blank), and a read
// error must end the walk where it struck.
#include <cerrno>
#include <string>

#include "engine/address_book_scan.h"
#include "engine/memory_rows.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "tests/engine/scan_fixture.h"
#include "tests/support/faulty_reader.h"

namespace {

// The first read (the walk's first block) comes back half full, so that the
// walk goes on field by field and a fault at a later call strikes a field.
class ShortFirstRead final : public tessel::ByteReader {
 public:
  explicit ShortFirstRead(tessel::ByteReader& reader) : reader_(reader) {}
  std::int64_t Size() const override { return reader_.Size(); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (first_) count /= 2;
    first_ = false;
    return reader_.ReadAt(offset, buffer, count);
  }
  int LastError() const override { return reader_.LastError(); }

 private:
  tessel::ByteReader& reader_;
  bool first_ = true;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  using tessel::testing::FaultyReader;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t failingCall = input.Byte();
  const std::string book(input.Rest());
  const auto length = static_cast<std::int64_t>(book.size());

  MemoryRows blocks;
  tessel::testing::MemoryReader whole(book, length);
  FUZZ_CHECK(WalkAddressBook(whole, blocks).status == AddressBookResult::Status::kWalked);
  const std::int64_t records = length <= 70 ? 0 : (length - 70 + 2465) / 2466;
  const auto count = [](const MemoryRows& rows) { return static_cast<std::int64_t>(rows.Contacts().size()); };
  FUZZ_CHECK(count(blocks) == records || count(blocks) == records - 1);
  for (const ContactRow& row : blocks.Contacts()) {
    FUZZ_CHECK(row.cells.size() == static_cast<std::size_t>(kContactCellCount));
    for (std::size_t k = 0; k < row.cells.size(); ++k) FUZZ_CHECK(row.cells[k].size() <= 201);
  }

  MemoryRows fields;
  FaultyReader halfBlock(book, 0, FaultyReader::Fault::kShortCount, false);
  FUZZ_CHECK(WalkAddressBook(halfBlock, fields).status == AddressBookResult::Status::kWalked);
  FUZZ_CHECK(tessel::testing::RowCells(fields.Contacts()) == tessel::testing::RowCells(blocks.Contacts()));

  // Every read short: each cell is the first bytes of its whole text, and an
  // error from the chosen call on ends the walk where it struck.
  MemoryRows cut;
  FaultyReader shortReads(book, 0, FaultyReader::Fault::kShortCount, true);
  FUZZ_CHECK(WalkAddressBook(shortReads, cut).status == AddressBookResult::Status::kWalked);
  FUZZ_CHECK(count(cut) <= records);
  for (std::size_t r = 0; r < cut.Contacts().size() && r < blocks.Contacts().size(); ++r) {
    const CellRow& cells = cut.Contacts()[r].cells;
    const CellRow& full = blocks.Contacts()[r].cells;
    for (std::size_t k = 0; k < cells.size(); ++k)
      FUZZ_CHECK(full.cell(k).compare(0, cells.cell(k).size(), cells.cell(k)) == 0);
  }
  MemoryRows failed;
  FaultyReader failing(book, failingCall, FaultyReader::Fault::kError, true);
  ShortFirstRead shortFirst(failing);
  const AddressBookResult result = WalkAddressBook(shortFirst, failed);
  if (failing.Faulted()) {
    FUZZ_CHECK(result.status == AddressBookResult::Status::kReadError && result.errorCode == EIO);
    FUZZ_CHECK(result.errorOffset >= 70 && result.errorOffset < length);
    FUZZ_CHECK(count(failed) <= records);
  }
  return 0;
}
