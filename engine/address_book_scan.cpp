// The address book walk: fields at fixed places, whatever the bytes hold. Each
// contact is inserted at the top of the list, so the last contact of the file
// ends up first.
#include "engine/address_book_scan.h"

#include <algorithm>
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
constexpr std::size_t kLongestField = [] {
  std::size_t longest = 0;
  for (const ContactField& field : kContactFields) longest = std::max(longest, field.size);
  return longest;
}();

// A field's text ends at its first NUL, which shows as one space. A field
// without one is shown as it lies in the file, uncopied; otherwise the text is
// put together in `room`, which holds any field.
std::string_view FieldText(std::string_view bytes, char (&room)[kLongestField]) {
  const std::size_t nul = bytes.find('\0');
  if (nul == std::string_view::npos) return bytes;
  std::copy_n(bytes.data(), nul, room);
  room[nul] = ' ';
  return {room, nul + 1};
}

// The fields' bytes, cut out of large blocks: a read per field cost more than
// the rest of the walk. Once a block comes back short before the file's end (a
// read error, a file cut short meanwhile), each later field is read on its own,
// so what is listed and where an error is reported never depend on blocks.
class FieldSource {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;  // about 425 contacts

  explicit FieldSource(ByteReader& reader) : reader_(reader), size_(reader.Size()) {}

  // The bytes of the field [position, position + count) that could be read;
  // `failed` when a read error cut them short before the file's end.
  std::string_view Field(std::int64_t position, std::size_t count, bool& failed) {
    const std::int64_t end = std::min(position + static_cast<std::int64_t>(count), size_);
    failed = false;
    if (!fieldByField_ && !BlockHolds(position, end)) {
      const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, size_ - position));
      if (block_.size() < wanted) block_.resize(wanted);  // a small book needs no whole block
      blockBegin_ = position;
      blockLength_ = reader_.ReadAt(position, block_.data(), wanted);
      fieldByField_ = blockLength_ < wanted;
    }
    if (BlockHolds(position, end))
      return {block_.data() + (position - blockBegin_), static_cast<std::size_t>(end - position)};
    const std::size_t read = reader_.ReadAt(position, field_, count);
    failed = read < count && position + static_cast<std::int64_t>(read) < size_ && reader_.LastError() != 0;
    return {field_, read};
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
  char field_[kLongestField];
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
  char room[kLongestField];
  std::int64_t position = kFileHeaderSize;
  int fieldIndex = 0;
  while (position < fileSize) {
    const ContactField& layout = kContactFields[fieldIndex];
    bool failed = false;
    const std::string_view bytes = source.Field(position, layout.size, failed);
    if (failed) return AddressBookResult{AddressBookResult::Status::kReadError, reader.LastError(), position};
    if (fieldIndex == 0) list.InsertRowAtTop("");
    if (layout.cell >= 0) list.SetCell(0, layout.cell, FieldText(bytes, room));
    position += static_cast<std::int64_t>(layout.size);
    if (++fieldIndex == kFieldsPerContact) {
      fieldIndex = 0;
      position += kContactTrailer;
    }
  }
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
