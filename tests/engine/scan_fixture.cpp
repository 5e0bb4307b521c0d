#include "tests/engine/scan_fixture.h"

namespace tessel::testing {

std::vector<std::string> RowCells(const CellRow& row) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < row.size(); ++i) cells.emplace_back(row.cell(i));
  return cells;
}

Rows RowCells(const std::vector<CellRow>& rows) {
  Rows cells;
  for (const CellRow& row : rows) cells.push_back(RowCells(row));
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
  MemoryList list;
  HeaderFields cells;
  ExtractHeaderFields(text, list, list.AppendRow(""), cells);
  return RowCells(list.Row(0));
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

}  // namespace tessel::testing
