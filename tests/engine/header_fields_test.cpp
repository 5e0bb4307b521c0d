// Header field rules (names only at line starts, one optional blank after the colon),
// CleanAddress, extraction of indexed messages, record cells and copies.
#include "engine/block_reader.h"
#include "tests/engine/scan_fixture.h"
#include "tests/engine/window_reference.h"

namespace tessel::testing {
namespace {

std::vector<std::string> Cells(std::string_view text) { return ExtractedCells(text); }

std::string Cleaned(std::string_view value) {
  std::string cleaned = "left from before";
  CleanAddress(value, cleaned);
  return cleaned;
}

TEST(HeaderFields, MissingFieldsGetTheirDefaults) {
  EXPECT_EQ(Cells("X-Other: 1\r\n\r\nbody"), (std::vector<std::string>{"Unknown", "Unknown", "none", "Unknown"}));
  EXPECT_EQ(Cells(""), (std::vector<std::string>{"Unknown", "Unknown", "none", "Unknown"}));
  EXPECT_EQ(Cells(std::string_view()), (std::vector<std::string>{"Unknown", "Unknown", "none", "Unknown"}));
}

TEST(HeaderFields, TheFirstSpellingThatOccursWinsWhereverItStands) {
  EXPECT_EQ(Cells("from: second\r\nFrom: first\r\n")[0], "first");
  EXPECT_EQ(Cells("FROM: only\r\n")[0], "only");
  EXPECT_EQ(Cells("Date: third\r\nDATE: second\r\n")[3], "second");
  EXPECT_EQ(Cells("To: <b@c.de>\r\nto: A@B.CD\r\n")[2], "a@b.cd");
}

// A field name counts only at the start of a line.
TEST(HeaderFields, NamesInsideOtherHeadersOrTextDoNotCount) {
  EXPECT_EQ(Cells("In-Reply-To: <id@host.example>\r\nTo: <real@x.org>\r\n")[2], "<real@x.org");
  EXPECT_EQ(Cells("Subject: see mailto:to:x@y.z\r\nTO: Boss@Work.com\r\n")[2], "boss@work.com");
  EXPECT_EQ(Cells("X-Original-From: wrong\r\nFrom: right\r\n")[0], "right");
  EXPECT_EQ(Cells("> From: quoted\r\n")[0], "Unknown");
  EXPECT_EQ(Cells("Subject: s\nFrom: after a lone LF\r\n")[0], "after a lone LF");
}

// The colon, then one blank only if there is one.
TEST(HeaderFields, OneBlankAfterTheColonIsSkippedOnlyIfPresent) {
  EXPECT_EQ(Cells("From:ann@x.org\r\n")[0], "ann@x.org");
  EXPECT_EQ(Cells("Subject:\tTabbed\r\n")[1], "Tabbed");
  EXPECT_EQ(Cells("Subject:  two\r\n")[1], " two");
  EXPECT_EQ(Cells("Subject:\r\nDate: d\r\n")[1], "");
  EXPECT_EQ(Cells("Date:")[3], "");
  EXPECT_EQ(Cells("To:x@y.z")[2], "x@y.z");
}

TEST(HeaderFields, ValuesEndAtCrLfOnlyAndAreKeptAsTheyStand) {
  EXPECT_EQ(Cells("Subject: a\nb\r\n")[1], "a\nb");
  EXPECT_EQ(Cells("Subject: =?utf-8?q?x?=\r\n folded\r\n")[1], "=?utf-8?q?x?=");
  EXPECT_EQ(Cells("Subject: to the end")[1], "to the end");
  EXPECT_EQ(Cells("Subject: a\rb\r\n")[1], "a\rb");
}

TEST(HeaderFields, ToEndsAtTheFirstAngleBracketOrCrLf) {
  EXPECT_EQ(Cells("To: Ann Lee <Ann@X.org>\r\n")[2], "ann lee <ann@x.org");
  EXPECT_EQ(Cells("To: \"Ann\" <ann@x.org>\r\n")[2], "");
  EXPECT_EQ(Cells("To: undisclosed\r\n")[2], "none");
  EXPECT_EQ(Cells("To: a@b.c\r\nmore.x@y\r\n")[2], "a@b.c");
}

TEST(HeaderFields, NulEndsTheText) {
  const std::string text = std::string("From: a\r\n") + '\0' + "Subject: hidden\r\n";
  EXPECT_EQ(Cells(text), (std::vector<std::string>{"a", "Unknown", "none", "Unknown"}));
}

// The search looks for the NUL only as far as the names reach, and stops once
// every field's first spelling is found: a NUL must still end the text.
TEST(HeaderFields, NulEndsTheTextWhereverTheNamesStand) {
  using namespace std::string_literals;
  // A value runs into the NUL after the last name.
  EXPECT_EQ(Cells("From: ab\0cd\r\n"s)[0], "ab");
  EXPECT_EQ(Cells("To: x@y.z\0w>\r\n"s)[2], "x@y.z");
  EXPECT_EQ(Cells("Subject:\0 x"s)[1], "");
  // Every first spelling found, one of them after a NUL: a later spelling
  // before the NUL wins instead.
  const std::string settled = "From: f\r\nSubject: s\r\nDATE: early\r\nto: t@x.org\r\n\0\r\ndate: hidden\r\n"s;
  EXPECT_EQ(Cells(settled), (std::vector<std::string>{"f", "s", "t@x.org", "early"}));
  const std::string hiddenTo = "TO: Seen@X.org\r\nFrom: f\r\nSubject: s\r\ndate: d\r\n\0to: hidden@x.org\r\n"s;
  EXPECT_EQ(Cells(hiddenTo)[2], "seen@x.org");
  // Long texts go through the search in large steps; a NUL in every place.
  std::string longText =
      "X-Pad: " + std::string(300, 'p') + "\r\nFrom: far\r\n" + std::string(200, 'b') + "\r\nTo: a@b.c\r\n";
  for (std::size_t nul = 0; nul < longText.size(); ++nul) {
    std::string text = longText;
    text[nul] = '\0';
    EXPECT_EQ(Cells(text), reference::HeaderCells(text)) << nul;
  }
  longText[longText.find("To:") + 5] = '\0';
  EXPECT_EQ(Cells(longText), (std::vector<std::string>{"far", "Unknown", "none", "Unknown"}));
}

// The system's ANSI lower-casing in Windows-1252 (on Windows the system's own,
// which agrees in that code page): a To of "\xC9RIC@..." used to keep its
// capital because only A-Z were lowered.
TEST(CleanAddress, LowerCasesTheCapitalsOfWindows1252NotOnlyAscii) {
  EXPECT_EQ(Cleaned(" \xC9RIC@EXAMPLE.FR"), "\xE9ric@example.fr");
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    if (c == '"' || c == ']' || c == '@' || c == '.') continue;
    int lower = byte;
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) lower = byte + 0x20;
    if (byte == 0x8A || byte == 0x8C || byte == 0x8E) lower = byte + 0x10;
    if (byte == 0x9F) lower = 0xFF;
    EXPECT_EQ(Cleaned(std::string("a@b.") + c), std::string("a@b.") + static_cast<char>(lower)) << byte;
  }
}

TEST(CleanAddress, ReducesAToValueToAnAddress) {
  EXPECT_EQ(Cleaned(" nobody"), "none");
  EXPECT_EQ(Cleaned(" a@localhost"), "none");
  EXPECT_EQ(Cleaned(" A@B.C"), "a@b.c");
  EXPECT_EQ(Cleaned(" [a@b.c]=20junk"), "[a@b.c");
  EXPECT_EQ(Cleaned("  a@b.c"), " a@b.c");  // one space only
  EXPECT_EQ(Cleaned(" x\"y@z.w"), "x");
  EXPECT_EQ(Cleaned("a@b.c]tail"), "a@b.c");
  EXPECT_EQ(Cleaned(" \xC4@\xC9.DE"), "\xE4@\xE9.de");  // the code page's capitals too
}

TEST(ExtractIndexedMessage, ReadsTheFirst2000BytesOfTheRecord) {
  const std::string message = "From: a@b.c\r\n" + std::string(2000, 'x') + "\r\nDate: too late\r\n";
  MemoryReader file("pad" + message, static_cast<std::int64_t>(message.size()) + 3);
  BlockReader store(file);
  HeaderFields fields;
  CellRow cells;
  EXPECT_TRUE(ExtractIndexedMessage(store, 3, static_cast<std::int64_t>(message.size()), fields, cells));
  EXPECT_EQ(RowCells(cells), (std::vector<std::string>{"a@b.c", "Unknown", "none", "Unknown"}));
  EXPECT_TRUE(ExtractIndexedMessage(store, 3, 5, fields, cells));  // "From:" only: To is "none"
  EXPECT_EQ(cells[kFromCell], "");
}

TEST(ExtractIndexedMessage, LeavesTheCellsEmptyOutsideTheStore) {
  MemoryReader file("From: a@b.c\r\n", 13);
  BlockReader store(file);
  HeaderFields fields;
  CellRow cells;
  EXPECT_FALSE(ExtractIndexedMessage(store, 13, 10, fields, cells));
  EXPECT_FALSE(ExtractIndexedMessage(store, -1, 10, fields, cells));
  SourceFile notOpen;
  BlockReader none(notOpen);
  EXPECT_FALSE(ExtractIndexedMessage(none, 0, 10, fields, cells));
  EXPECT_EQ(cells.size(), 0u);
}

// A read that comes back short (a bad sector, a file cut meanwhile) does not
// drop the records after it: they are listed with the bytes that could be read.
TEST(ExtractIndexedMessage, RecordsPastAShortReadAreListedWithTheirDefaults) {
  MemoryReader file("From: a@b.c\r\n", 5000);
  BlockReader store(file);
  EXPECT_EQ(store.Bytes(0, 5000).size(), 13u);  // the read comes back short
  HeaderFields fields;
  CellRow cells;
  EXPECT_TRUE(ExtractIndexedMessage(store, 2000, 100, fields, cells));
  EXPECT_EQ(RowCells(cells), (std::vector<std::string>{"Unknown", "Unknown", "none", "Unknown"}));
}

// The hidden cells show 64-bit values, and the marks follow the origin cell.
TEST(RecordCells, HiddenCellsShow64BitValuesAndTheMarks) {
  tessel::MessageRow row;
  row.record = {5000000000LL, 12};
  row.origin = Origin::kUnclaimed;
  row.cells = {"f", "s", "t", "d"};
  EXPECT_EQ(RowCells({row}, ScanMode::kDeep), (Rows{{"f", "s", "t", "d", "5000000000", "12", "unclaimed"}}));
  row.unreadable.push_back({5000000000LL, 5000000004LL, 5});
  EXPECT_EQ(RowCells({row}, ScanMode::kUsual), (Rows{{"f", "s", "t", "d", "5000000000", "12", "", "unreadable"}}));
}

TEST(CopyRecord, HandsTheBytesToASinkThatMayRefuse) {
  MemoryReader store(std::string(5000, 's'), 5000);
  std::string copied;
  EXPECT_EQ(CopyRecord(store, 10, 4500,
                       [&](const char* b, std::size_t n) {
                         copied.append(b, n);
                         return true;
                       }),
            4500);
  EXPECT_EQ(copied, std::string(4500, 's'));
  EXPECT_EQ(CopyRecord(store, 0, 10, [](const char*, std::size_t) { return false; }), -1);
}

}  // namespace
}  // namespace tessel::testing
