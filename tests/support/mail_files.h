// Writes the files the recovery reads, laid out as IncrediMail lays them out:
// message stores with their indexes, and address books. The one builder of
// such files for the tests, the bundled sample (tools/make_samples) and the
// benchmark's store (bench/store_data.h). It states the layouts on its own,
// as the writing side, apart from the engine that reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::mailfiles {

// Lines each ended by CR LF, the line ending of stored mail.
std::string CrLfLines(const std::vector<std::string>& lines);

std::string LittleEndian32(std::uint32_t value);

// An index starts with its 8-byte signature and 4 bytes read with it, whose
// meaning the recovery leaves alone. Entries follow anywhere after it.
std::string IndexHeader(std::uint32_t word = 1);

// What the walk reads of an entry: the marker 00 00 03 00, then the length of
// the message in the store, little-endian.
inline constexpr std::string_view kIndexEntryMarker{"\x00\x00\x03\x00", 4};
std::string IndexEntry(std::uint32_t length);

// An entry as the client writes it (32 bytes): the marker and length, then its
// own flags, time stamp and message number, and 12 more bytes.
inline constexpr std::size_t kIndexRecordSize = 32;
std::string IndexRecord(std::uint32_t length, std::uint32_t flags, std::uint32_t timeStamp, std::uint32_t number);

// An address book: a 70-byte header, then contact records of 2466 bytes: 27
// fields (field 5 of 200 bytes, field 7 of 1000, the others of 50), each text
// padded with NULs, and 16 bytes after them.
inline constexpr std::size_t kAddressBookHeaderSize = 70;
inline constexpr std::size_t kContactRecordSize = 2466;
inline constexpr int kContactFieldCount = 27;

// Where field `number` (1 to 27) stands in a contact record, and its size.
std::size_t ContactFieldOffset(int number);
std::size_t ContactFieldSize(int number);

struct ContactField {
  int number;  // 1 to 27
  std::string text;
};
// A contact record: each field's text, cut to the field's size; NUL elsewhere.
std::string ContactRecord(const std::vector<ContactField>& fields);

}  // namespace tessel::mailfiles
