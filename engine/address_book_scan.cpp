// The address book walk: fields at fixed places, one read per field, whatever
// the bytes hold. Each contact is inserted at the top of the list, so the last
// contact of the file ends up first.
#include "engine/address_book_scan.h"

#include <algorithm>
#include <cstring>

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

// A field's text ends at its first NUL, which shows as one space.
std::string FieldText(const char* bytes, std::size_t count) {
  const void* nul = std::memchr(bytes, '\0', count);
  if (nul == nullptr) return std::string(bytes, count);
  return std::string(bytes, static_cast<const char*>(nul) - bytes) + ' ';
}

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
  char field[kLongestField];
  std::int64_t position = kFileHeaderSize;
  int fieldIndex = 0;
  while (position < fileSize) {
    const ContactField& layout = kContactFields[fieldIndex];
    const std::size_t read = reader.ReadAt(position, field, layout.size);
    if (read < layout.size && reader.LastError() != 0)
      return AddressBookResult{AddressBookResult::Status::kReadError, reader.LastError(), position};
    if (fieldIndex == 0) list.InsertRowAtTop("");
    if (layout.cell >= 0) list.SetCell(0, layout.cell, FieldText(field, read));
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
