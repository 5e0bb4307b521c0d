#include "tests/support/mail_files.h"

#include <algorithm>

namespace tessel::mailfiles {

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string LittleEndian32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string IndexHeader(std::uint32_t word) {
  return std::string("\x56\x23\x30\x34\x3C\x12\x08\x49", 8) + LittleEndian32(word);
}

std::string IndexEntry(std::uint32_t length) { return std::string(kIndexEntryMarker) + LittleEndian32(length); }

std::string IndexRecord(std::uint32_t length, std::uint32_t flags, std::uint32_t timeStamp, std::uint32_t number) {
  std::string record = IndexEntry(length) + LittleEndian32(flags) + LittleEndian32(timeStamp) + LittleEndian32(number);
  record.resize(kIndexRecordSize, ' ');
  return record;
}

std::size_t ContactFieldSize(int number) { return number == 5 ? 200 : number == 7 ? 1000 : 50; }

std::size_t ContactFieldOffset(int number) {
  std::size_t offset = 0;
  for (int before = 1; before < number; ++before) offset += ContactFieldSize(before);
  return offset;
}

std::string ContactRecord(const std::vector<ContactField>& fields) {
  std::string record(kContactRecordSize, '\0');
  for (const ContactField& field : fields) {
    const std::size_t size = std::min(ContactFieldSize(field.number), field.text.size());
    record.replace(ContactFieldOffset(field.number), size, field.text, 0, size);
  }
  return record;
}

}  // namespace tessel::mailfiles
