#include "tests/engine/scan_fixture.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace tessel::testing {
std::string Message(const std::string& from, const std::string& subject, const std::string& body) {
  return "MIME-Version: 1.0\r\nFrom: " + from + "\r\nTo: <Reader@Example.org>\r\nSubject: " + subject +
         "\r\nDate: Mon, 7 Dec 2026 08:00:00 +0000\r\n\r\n" + body;
}

std::string MessageWithLeadingHeaders(const std::string& from, const std::string& subject, const std::string& body) {
  return "From: " + from + "\r\nTo: <Reader@Example.org>\r\nSubject: " + subject +
         "\r\n\tcontinued\r\nDate: Mon, 7 Dec 2026 08:00:00 +0000\r\nMIME-Version: 1.0\r\n\r\n" + body;
}

std::string LittleEndian32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string IndexHeader() { return std::string("\x56\x23\x30\x34\x3C\x12\x08\x49", 8) + std::string(4, 'h'); }

std::string IndexEntry(std::uint32_t length) { return std::string("\x00\x00\x03\x00", 4) + LittleEndian32(length); }

std::vector<std::string> ExtractedCells(std::string_view text) {
  MemoryList list;
  HeaderFields cells;
  ExtractHeaderFields(text, list, list.AppendRow(""), cells);
  return list.Row(0);
}

std::vector<std::string> MessageRow(const std::string& from, const std::string& subject, const std::string& to,
                                    const std::string& date, std::int64_t offset, std::int64_t length) {
  return {from, subject, to, date, std::to_string(offset), std::to_string(length)};
}

}  // namespace tessel::testing
