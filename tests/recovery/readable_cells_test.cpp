// The wizard's cells for people: read from the record's whole header block,
// decoded, with the date in UTC beside them; rows whose header is not read
// keep their stored cells, as UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recovery/readable_cells.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace {

using tessel::CellRow;
using tessel::MessageRow;
using tessel::recovery::ReadableCells;

std::vector<std::string> Cells(const CellRow& row) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < row.size(); ++i) cells.emplace_back(row[i]);
  return cells;
}

TEST(ReadableCells, ListCellsComeFromTheWholeHeaderOrElseFromTheStoredBytesAsUtf8) {
  std::vector<std::string> lines = {"MIME-Version: 1.0"};
  // Past the 2,000 bytes the stored cells are cut from.
  for (int hop = 0; hop < 40; ++hop) lines.push_back("Received: from relay" + std::to_string(hop) + ".example.net");
  for (const char* line :
       {"From: =?windows-1251?B?yOLg7SDP5fLw7uI=?= <ivan@example.ru>",
        "Subject: =?iso-8859-1?Q?Gr=FC=DFe_aus_Wien?=", "Date: Tue, 4 Mar 2003 13:05:00 +0300", "", "Body"})
    lines.push_back(line);
  const std::string message = tessel::mailfiles::CrLfLines(lines);
  tessel::testing::ScratchFolder scratch;
  const std::string store = scratch.Write("Inbox.imm", message);

  MessageRow row;
  row.record = {0, static_cast<std::int64_t>(message.size())};
  row.cells = {"Unknown", "Caf\xE9", "none", "Unknown"};  // stored: bytes of a code page
  CellRow cells;
  ReadableCells readable;
  ASSERT_TRUE(readable.Open(store));
  readable.MakeListCells(row, cells);
  EXPECT_EQ(Cells(cells), (std::vector<std::string>{"Иван Петров <ivan@example.ru>", "Grüße aus Wien", "",
                                                    "2003-03-04 13:05 +0300", "2003-03-04T10:05:00Z"}));

  // Bytes no message claims, and a store not opened, keep the stored cells.
  const std::vector<std::string> stored = {"Unknown", "Café", "none", "Unknown", ""};
  row.origin = tessel::Origin::kUnclaimed;
  readable.MakeListCells(row, cells);
  EXPECT_EQ(Cells(cells), stored);
  row.origin = tessel::Origin::kStore;
  ReadableCells unopened;
  unopened.MakeListCells(row, cells);
  EXPECT_EQ(Cells(cells), stored);
}

}  // namespace
