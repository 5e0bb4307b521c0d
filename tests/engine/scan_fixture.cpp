#include "tests/engine/scan_fixture.h"

#include <set>

namespace tessel::testing {

std::vector<std::string> RowCells(const CellRow& row) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < row.size(); ++i) cells.emplace_back(row.cell(i));
  return cells;
}

Rows RowCells(const std::vector<tessel::MessageRow>& rows, ScanMode mode) {
  Rows cells;
  CellRow made;
  for (const tessel::MessageRow& row : rows) {
    recovery::MessageCells(row, mode, made);
    cells.push_back(RowCells(made));
  }
  return cells;
}

Rows RowCells(const std::vector<tessel::ContactRow>& contacts) {
  Rows cells;
  for (auto contact = contacts.rbegin(); contact != contacts.rend(); ++contact)
    cells.push_back(RowCells(contact->cells));
  return cells;
}
using mailfiles::CrLfLines;

std::string Message(const std::string& from, const std::string& subject, const std::string& body) {
  return CrLfLines({"MIME-Version: 1.0", "From: " + from, "To: <Reader@Example.org>", "Subject: " + subject,
                    "Date: Mon, 7 Dec 2026 08:00:00 +0000", ""}) +
         body;
}

std::string MessageWithLeadingHeaders(const std::string& from, const std::string& subject, const std::string& body) {
  return CrLfLines({"From: " + from, "To: <Reader@Example.org>", "Subject: " + subject, "\tcontinued",
                    "Date: Mon, 7 Dec 2026 08:00:00 +0000", "MIME-Version: 1.0", ""}) +
         body;
}

std::vector<std::string> ExtractedCells(std::string_view text) {
  HeaderFields fields;
  CellRow cells;
  ExtractHeaderFields(text, fields, cells);
  return RowCells(cells);
}

std::vector<std::string> MessageRow(const std::string& from, const std::string& subject, const std::string& to,
                                    const std::string& date, std::int64_t offset, std::int64_t length) {
  return {from, subject, to, date, std::to_string(offset), std::to_string(length)};
}

std::string CopiedRecord(const std::string& storePath, std::int64_t offset, std::int64_t length) {
  SourceFile store;
  EXPECT_TRUE(store.Open(storePath)) << storePath;
  std::string bytes;
  CopyRecord(store, offset, length, [&](const char* chunk, std::size_t count) {
    bytes.append(chunk, count);
    return true;
  });
  return bytes;
}

std::string DeepRowsFault(const std::vector<tessel::MessageRow>& rows, std::int64_t storeSize, std::string_view index) {
  std::set<std::int64_t> lengths;
  for (std::size_t at = index.find(mailfiles::kIndexEntryMarker);
       at != std::string_view::npos && at + 8 <= index.size(); at = index.find(mailfiles::kIndexEntryMarker, at + 1)) {
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<unsigned char>(index[at + 4 + i]);
    lengths.insert(length);
  }
  std::int64_t end = 0;
  for (const tessel::MessageRow& row : rows) {
    const auto [offset, length] = row.record;
    const std::string where = "row at " + std::to_string(offset) + ": ";
    if (offset != end) return where + "the row before ends at " + std::to_string(end);
    if (length <= 0) return where + "no bytes";
    if (row.origin == Origin::kIndex && !lengths.contains(length)) return where + "a length no index entry gives";
    end = offset + length;
  }
  return end == storeSize ? "" : "the rows end at " + std::to_string(end) + " of " + std::to_string(storeSize);
}

}  // namespace tessel::testing
