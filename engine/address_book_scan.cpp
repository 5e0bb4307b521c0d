// The address book walk: fields at fixed places, whatever the bytes hold. Each
// contact is inserted at the top of the list, so the last contact of the file
// ends up first.
#include "engine/address_book_scan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {
namespace {

constexpr std::int64_t kFileHeaderSize = 70;  // not read
constexpr std::int64_t kContactTrailer = 16;  // after field 27, not read

struct ContactField {
  std::size_t size;
  int cell;  // -1: read, not shown
};

// Fields 1 to 27 in file order (2450 bytes; with the trailer 2466).
constexpr ContactField kContactFields[] = {
    {50, 3},  {50, 4},  {50, 5},  {50, 0},  {200, 1}, {50, 2},  {1000, -1}, {50, 6},  {50, 7},
    {50, 8},  {50, 9},  {50, 10}, {50, 11}, {50, 12}, {50, 13}, {50, 14},   {50, 15}, {50, 16},
    {50, 17}, {50, 18}, {50, 19}, {50, 20}, {50, -1}, {50, 21}, {50, 22},   {50, -1}, {50, -1},
};
constexpr std::size_t kContactFieldBytes = [] {
  std::size_t total = 0;
  for (const ContactField& field : kContactFields) total += field.size;
  return total;
}();
constexpr std::int64_t kContactSize = static_cast<std::int64_t>(kContactFieldBytes) + kContactTrailer;

// The fields' bytes, cut out of large blocks: a read per field cost more than
// the rest of the walk. A block starts at a contact and holds whole contacts,
// so that the fields of one contact stay in place until the next contact.
// Once a block comes back short before the file's end (a read error, a file
// cut short meanwhile), each later field is read on its own into its own place
// of `fields_`, so what is listed and where an error is reported never depend
// on blocks. The bytes handed out are this source's own, for the walk to mark.
class FieldSource {
 public:
  static constexpr std::size_t kBlockSize = (std::size_t{1} << 20) / kContactSize * kContactSize;

  explicit FieldSource(ByteReader& reader) : reader_(reader), size_(reader.Size()) {}

  // The contact at `position` as far as the file holds it, when one block
  // does; empty otherwise, and then its fields come from Field.
  std::span<char> Contact(std::int64_t position) {
    const std::int64_t end = std::min(position + kContactSize, size_);
    if (!fieldByField_ && !BlockHolds(position, end)) {
      const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, size_ - position));
      if (block_.size() < wanted) block_.resize(wanted);  // a small book needs no whole block
      blockBegin_ = position;
      blockLength_ = reader_.ReadAt(position, block_.data(), wanted);
      fieldByField_ = blockLength_ < wanted;
    }
    return BlockHolds(position, end) ? BlockBytes(position, end) : std::span<char>();
  }

  // The bytes of the field [position, position + count) that could be read,
  // `offset` bytes into its contact; `failed` when a read error cut them short
  // before the file's end.
  std::span<char> Field(std::int64_t position, std::size_t offset, std::size_t count, bool& failed) {
    const std::int64_t end = std::min(position + static_cast<std::int64_t>(count), size_);
    failed = false;
    if (BlockHolds(position, end)) return BlockBytes(position, end);
    char* room = fields_ + offset;
    const std::size_t read = reader_.ReadAt(position, room, count);
    failed = read < count && position + static_cast<std::int64_t>(read) < size_ && reader_.LastError() != 0;
    return {room, read};
  }

 private:
  bool BlockHolds(std::int64_t begin, std::int64_t end) const {
    return begin >= blockBegin_ && end <= blockBegin_ + static_cast<std::int64_t>(blockLength_);
  }
  std::span<char> BlockBytes(std::int64_t begin, std::int64_t end) {
    return {block_.data() + (begin - blockBegin_), static_cast<std::size_t>(end - begin)};
  }

  ByteReader& reader_;
  const std::int64_t size_;
  std::vector<char> block_;
  std::int64_t blockBegin_ = 0;
  std::size_t blockLength_ = 0;
  bool fieldByField_ = false;
  char fields_[kContactFieldBytes];
};

bool IsBlankCell(std::string_view text) { return text.empty() || text[0] == ' '; }

// One contact's cells as they are cut out, handed on in one row once the
// contact ends. The last contact is held back until the walk knows whether it
// ends the file, where a blank one is a torn end and dropped.
class ContactCutter {
 public:
  // A field's text ends at its first NUL, which shows as one space: the NUL is
  // overwritten with it, in the source's bytes, so no text is copied.
  void SetField(int cell, std::span<char> bytes) {
    started_ = true;
    if (cell < 0) return;
    auto* nul = static_cast<char*>(std::memchr(bytes.data(), '\0', bytes.size()));
    std::size_t length = bytes.size();
    if (nul != nullptr) {
      *nul = ' ';
      length = static_cast<std::size_t>(nul - bytes.data()) + 1;
    }
    cells_[static_cast<std::size_t>(cell)] = {bytes.data(), length};
    width_ = std::max(width_, static_cast<std::size_t>(cell) + 1);
  }

  // Ends the contact begun, if any (its cells are copied: the bytes they view
  // are read over for the next one), handing on the one held before it.
  void EndContact(RowSink& sink) {
    if (!started_) return;
    HandOnHeld(sink);
    held_.cells = CellRow({cells_.data(), width_});
    held_.cells.Widen(kContactCellCount);
    holding_ = true;
    cells_.fill({});
    width_ = 0;
    started_ = false;
  }
  void HandOnHeld(RowSink& sink) {
    if (holding_) sink.AddContact(held_);
    holding_ = false;
  }
  // The walk read to the end of the file: the last contact read may be a
  // torn end of the file, dropped when blank.
  void EndFile(RowSink& sink) {
    const CellRow& last = held_.cells;
    if (holding_ && IsBlankCell(last[0]) && IsBlankCell(last[1]) && IsBlankCell(last[2]) && IsBlankCell(last[3]))
      holding_ = false;
    HandOnHeld(sink);
  }

 private:
  std::array<std::string_view, kContactCellCount> cells_{};
  std::size_t width_ = 0;  // one past the highest cell set
  bool started_ = false;
  ContactRow held_;
  bool holding_ = false;
};

}  // namespace

std::int64_t ContactRecordStart(long long index) { return kFileHeaderSize + index * kContactSize; }
std::int64_t ContactRecordSize() { return kContactSize; }

bool LooksLikeAddressBook(ByteReader& file) {
  // Bytes of a contact that must be present to judge it: one short field.
  constexpr std::size_t kLeastContactBytes = 50;
  std::string contact(static_cast<std::size_t>(kContactSize), '\0');
  contact.resize(file.ReadAt(kFileHeaderSize, contact.data(), contact.size()));
  if (contact.size() < kLeastContactBytes) return false;
  std::size_t padding = 0;
  for (const char c : contact) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) {
      ++padding;
    } else if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
      return false;
    }
  }
  // Fields are short texts in long slots: most of a contact is padding.
  return padding * 2 >= contact.size();
}

AddressBookResult WalkAddressBook(ByteReader& reader, RowSink& sink) {
  const std::int64_t fileSize = reader.Size();
  FieldSource source(reader);
  ContactCutter contact;
  for (std::int64_t start = kFileHeaderSize; start < fileSize; start += kContactSize) {
    const std::span<char> whole = source.Contact(start);
    std::size_t offset = 0;  // of the field in its contact
    for (const ContactField& layout : kContactFields) {
      const std::int64_t position = start + static_cast<std::int64_t>(offset);
      if (position >= fileSize) break;
      bool failed = false;
      const std::span<char> bytes = !whole.empty() ? whole.subspan(offset, std::min(layout.size, whole.size() - offset))
                                                   : source.Field(position, offset, layout.size, failed);
      if (failed) {
        contact.EndContact(sink);
        contact.HandOnHeld(sink);
        return AddressBookResult{AddressBookResult::Status::kReadError, reader.LastError(), position};
      }
      contact.SetField(layout.cell, bytes);
      offset += layout.size;
    }
    contact.EndContact(sink);
  }
  contact.EndFile(sink);
  return AddressBookResult{};
}

}  // namespace tessel
