// The address book walk: fields at fixed places, whatever the bytes hold. Each
// contact is inserted at the top of the list, so the last contact of the file
// ends up first.
#include "engine/address_book_scan.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "engine/platform_file.h"

namespace tessel {
namespace {

constexpr std::int64_t kFileHeaderSize = 70;  // not read
constexpr int kFieldsPerContact = 27;
constexpr std::int64_t kContactTrailer = 16;  // after field 27, not read

struct ContactField {
  std::size_t size;
  int cell;  // -1: read, not shown
};

// Fields 1 to 27 in file order (2450 bytes; with the trailer 2466).
constexpr ContactField kContactFields[kFieldsPerContact] = {
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
// so that the views of one contact's fields stay valid until the next contact.
// Once a block comes back short before the file's end (a read error, a file
// cut short meanwhile), each later field is read on its own into its own place
// of `fields_`, so what is listed and where an error is reported never depend
// on blocks.
class FieldSource {
 public:
  static constexpr std::size_t kBlockSize = (std::size_t{1} << 20) / kContactSize * kContactSize;

  explicit FieldSource(ByteReader& reader) : reader_(reader), size_(reader.Size()) {}

  // The bytes of the field [position, position + count) that could be read;
  // `failed` when a read error cut them short before the file's end. `offset`
  // is where the field lies in its contact.
  std::string_view Field(std::int64_t position, std::size_t offset, std::size_t count, bool& failed) {
    const std::int64_t end = std::min(position + static_cast<std::int64_t>(count), size_);
    failed = false;
    if (!fieldByField_ && offset == 0 && !BlockHolds(position, end)) {
      const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, size_ - position));
      if (block_.size() < wanted) block_.resize(wanted);  // a small book needs no whole block
      blockBegin_ = position;
      blockLength_ = reader_.ReadAt(position, block_.data(), wanted);
      fieldByField_ = blockLength_ < wanted;
    }
    if (BlockHolds(position, end))
      return {block_.data() + (position - blockBegin_), static_cast<std::size_t>(end - position)};
    char* room = fields_ + offset;
    const std::size_t read = reader_.ReadAt(position, room, count);
    failed = read < count && position + static_cast<std::int64_t>(read) < size_ && reader_.LastError() != 0;
    return {room, read};
  }

 private:
  bool BlockHolds(std::int64_t begin, std::int64_t end) const {
    return begin >= blockBegin_ && end <= blockBegin_ + static_cast<std::int64_t>(blockLength_);
  }

  ByteReader& reader_;
  const std::int64_t size_;
  std::vector<char> block_;
  std::int64_t blockBegin_ = 0;
  std::size_t blockLength_ = 0;
  bool fieldByField_ = false;
  char fields_[kContactFieldBytes];
};

// One contact's cells as they are cut out, handed to the list in one call once
// the contact ends: a call per cell cost as much as the rest of the walk.
class ContactRow {
 public:
  // A field's text ends at its first NUL, which shows as one space. A field
  // without one is kept as it lies, uncopied; otherwise its text is put
  // together in the field's own place of `texts_`.
  void SetField(int cell, std::size_t offset, std::string_view bytes) {
    started_ = true;
    if (cell < 0) return;
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
      char* text = texts_ + offset;
      std::copy_n(bytes.data(), nul, text);
      text[nul] = ' ';
      bytes = {text, nul + 1};
    }
    cells_[static_cast<std::size_t>(cell)] = bytes;
    width_ = std::max(width_, static_cast<std::size_t>(cell) + 1);
  }

  // Inserts the contact begun, if any, at the top of `list`, and starts anew.
  void InsertInto(RecoveredList& list) {
    if (started_) list.InsertFilledRowAtTop({cells_.data(), width_});
    cells_.fill({});
    width_ = 0;
    started_ = false;
  }

 private:
  std::array<std::string_view, kContactCellCount> cells_{};
  std::size_t width_ = 0;  // one past the highest cell set
  bool started_ = false;
  char texts_[kContactFieldBytes];
};

bool IsBlankCell(const std::string& text) { return text.empty() || text[0] == ' '; }

std::string ContactsFilePath(const std::string& folder) {
  if (folder.empty()) return "AddBook.txt";
  const char lastChar = folder.back();
  const bool endsInSeparator = lastChar == '\\' || lastChar == '/';
  return endsInSeparator ? folder + "AddBook.txt" : folder + platform::PathSeparator() + "AddBook.txt";
}

}  // namespace

const std::array<const char*, kContactCellCount> kContactColumnHeaders = {
    "Display Name",
    "Email",
    "Title",
    "First Name",
    "Middle Name",
    "Last Name",
    "Phone",
    "Address",
    "City",
    "State / Province",
    "Zip Code",
    "Country",
    "Fax",
    "Mobile",
    "Web Page",
    "Phone",
    "Company Name",
    "City",
    "State / Province",
    "Address",
    "Country",
    "Job Title",
    "Fax",
};

AddressBookResult WalkAddressBook(ByteReader& reader, RecoveredList& list) {
  const std::int64_t fileSize = reader.Size();
  FieldSource source(reader);
  ContactRow contact;
  std::int64_t position = kFileHeaderSize;
  std::size_t offset = 0;  // of the field in its contact
  int fieldIndex = 0;
  while (position < fileSize) {
    const ContactField& layout = kContactFields[fieldIndex];
    bool failed = false;
    const std::string_view bytes = source.Field(position, offset, layout.size, failed);
    if (failed) {
      contact.InsertInto(list);
      return AddressBookResult{AddressBookResult::Status::kReadError, reader.LastError(), position};
    }
    contact.SetField(layout.cell, offset, bytes);
    position += static_cast<std::int64_t>(layout.size);
    offset += layout.size;
    if (++fieldIndex == kFieldsPerContact) {
      contact.InsertInto(list);
      fieldIndex = 0;
      offset = 0;
      position += kContactTrailer;
    }
  }
  contact.InsertInto(list);
  // The last contact read may be a torn end of the file: drop it when blank.
  if (list.RowCount() > 0 && IsBlankCell(list.GetCell(0, 0)) && IsBlankCell(list.GetCell(0, 1)) &&
      IsBlankCell(list.GetCell(0, 2)) && IsBlankCell(list.GetCell(0, 3)))
    list.DeleteRow(0);
  return AddressBookResult{};
}

AddressBookResult ScanAddressBook(ScanContext& context, const std::string& path, const std::string& folder) {
  if (!context.openSourceFile.Open(path)) return AddressBookResult{AddressBookResult::Status::kNotOpened, 0, 0};
  context.contactsFile = ContactsFilePath(folder);
  const AddressBookResult result = WalkAddressBook(context.openSourceFile, context.list);
  context.openSourceFile.Close();
  return result;
}

}  // namespace tessel
