// Cell escaping and decoding of the scan formats: tsv must be exact and
// reversible, json valid UTF-8 whatever the bytes, the table aligned.
#include <gtest/gtest.h>

#include "cli/format_json.h"
#include "cli/format_table.h"
#include "cli/format_tsv.h"
#include "cli/row_writer.h"
#include "export/code_pages.h"

namespace tessel::cli {
namespace {

using exporting::FindCodePage;
using exporting::kDefaultCodePage;

std::string Tsv(std::string_view cell) {
  std::string out;
  AppendTsvEscaped(out, cell);
  return out;
}

std::string Json(std::string_view bytes) {
  std::string out;
  AppendJsonString(out, bytes);
  return out;
}

// Undoes the tsv escapes, to show that no two cells share a written form.
std::string TsvUnescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

TEST(TsvEscape, EscapesOnlyBackslashTabLfCr) {
  EXPECT_EQ(Tsv("a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re");
  EXPECT_EQ(Tsv("\\t"), "\\\\t");  // a literal backslash-t stays tellable from TAB
  const std::string raw("x\0y \x01\x7F\xE9\"", 9);
  EXPECT_EQ(Tsv(raw), raw);  // every other byte, NUL included, as it is
}

TEST(TsvEscape, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  all += "\\\\n\r\n";
  const std::string written = Tsv(all);
  EXPECT_EQ(written.find('\t'), std::string::npos);
  EXPECT_EQ(written.find('\n'), std::string::npos);
  EXPECT_EQ(written.find('\r'), std::string::npos);
  EXPECT_EQ(TsvUnescape(written), all);
}

TEST(TsvLine, JoinsCellsWithTabAndEndsWithLf) {
  std::string out;
  AppendTsvLine(out, {"a b", "", "c\td", "", "0", "12"});
  EXPECT_EQ(out, "a b\t\tc\\td\t\t0\t12\n");
}

TEST(JsonString, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(Json("say \"hi\"\\"), "\"say \\\"hi\\\"\\\\\"");
  EXPECT_EQ(Json("a\r\nb\tc"), "\"a\\r\\nb\\tc\"");
  EXPECT_EQ(Json(std::string("\0\x01\x1F\x7F", 4)), "\"\\u0000\\u0001\\u001f\x7F\"");
  EXPECT_EQ(Json("J\xE9r\xF4me"), "\"J\xC3\xA9r\xC3\xB4me\"");
}

TEST(JsonRows, ArrayOfRowArrays) {
  const auto writer = MakeRowWriter(RowFormat::kJson, ScanMode::kUsual, *FindCodePage(kDefaultCodePage));
  std::string out;
  writer->Begin(out);
  writer->End(out);
  EXPECT_EQ(out, "[]\n");

  const auto rows = MakeRowWriter(RowFormat::kJson, ScanMode::kUsual, *FindCodePage(kDefaultCodePage));
  out.clear();
  rows->Begin(out);
  rows->Write(out, 1, {"a", "b"}, "");
  rows->Write(out, 2, {"c", "\xE9"}, "");
  rows->End(out);
  EXPECT_EQ(out, "[\n  [\"a\", \"b\"],\n  [\"c\", \"\xC3\xA9\"]\n]\n");
}

TEST(TableCell, PadsCutsAndAligns) {
  std::string out;
  AppendTableCell(out, "abc", 6, Align::kLeft);
  AppendTableCell(out, "42", 5, Align::kRight);
  EXPECT_EQ(out, "abc      42");

  out.clear();
  AppendTableCell(out, "Weekly digest: 5 new posts", 10, Align::kLeft);
  EXPECT_EQ(out, "Weekly ...");

  out.clear();
  AppendTableCell(out, "12345678901", 6, Align::kRight);  // numbers are never cut
  EXPECT_EQ(out, "12345678901");
}

TEST(TableCell, CountsCharactersNotBytesAndHidesControls) {
  std::string out;
  AppendTableCell(out, "Caf\xE9", 6, Align::kLeft);  // é is two bytes in UTF-8, one column
  EXPECT_EQ(out, "Caf\xC3\xA9  ");

  out.clear();
  AppendTableCell(out, "a\r\nb\tc ", 6, Align::kLeft);  // trailing pad space dropped
  EXPECT_EQ(out, "a  b c");

  out.clear();
  AppendTableCell(out, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 4, Align::kLeft);
  EXPECT_EQ(out, "\xC3\xA9...");  // never cut inside a character
}

TEST(TableCell, PadsAndCutsByTheColumnsATerminalGives) {
  const struct {
    const char* text;
    size_t width;
    const char* cell;
  } cases[] = {
      {"日本語", 8, "日本語  "},                        // wide: two columns each
      {"Cafe\u0301 \u2713", 8, "Cafe\u0301 \u2713  "},  // a combining accent takes none
      {"Hi \U0001F600!", 7, "Hi \U0001F600! "},         // an emoji takes two
      {"会議の議事録です", 7, "会議..."},
      {"会議の議事録です", 8, "会議... "},  // a wide character is not cut in half
      {"안녕하세요 여러분", 20, "안녕하세요 여러분   "},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendTableCell(out, c.text, c.width, Align::kLeft);
    EXPECT_EQ(out, c.cell) << c.text;
  }
}

// A Subject must not move the cursor or reverse the line in someone's terminal:
// C1 controls (CSI is U+009B) and bidirectional overrides and isolates are shown
// as spaces, as C0 controls are; the characters beside them stay.
TEST(TableCell, HidesC1ControlsAndBidiOverrides) {
  std::string out;
  AppendTableCell(out,
                  "a\xC2\x9B"
                  "2Jb\xC2\x80\xC2\x85\xC2\xA0",
                  9, Align::kLeft);
  EXPECT_EQ(out, "a 2Jb  \xC2\xA0 ") << "U+00A0 is text";
  out.clear();
  AppendTableCell(out, "x\xE2\x80\xAEgpj.exe\xE2\x80\xAC\xE2\x81\xA6y\xE2\x81\xA9\xE2\x80\xA9", 14, Align::kLeft);
  EXPECT_EQ(out, "x gpj.exe  y \xE2\x80\xA9") << "U+2029 is no override";
  out.clear();
  AppendTableCell(out,
                  "\x9B"
                  "31m",
                  4, Align::kLeft);  // Windows-1252 byte 9B is a quote mark, not CSI
  EXPECT_EQ(out,
            "\xE2\x80\xBA"
            "31m");
}

const CellRow kMessage = {"Anna Berger <anna.berger@example.org>",
                          "Lunch on Friday?",
                          "tom hale <tom.hale@example.net",
                          "Mon, 03 Mar 2008 09:14:22 +0100",
                          "1234",
                          "56"};

TEST(TableRows, HeadingAndRowLineUp) {
  const TableFormat table(ScanMode::kUsual, 0);
  const std::string heading = table.Heading();
  std::string row;
  table.AppendRow(row, 7, kMessage, "");
  EXPECT_EQ(heading.find("Subject"), row.find("Lunch"));
  EXPECT_EQ(heading.find("Length") + std::string("Length").size(), row.size() - 1);
  EXPECT_EQ(row.substr(0, 5), "    7");
  EXPECT_NE(row.find("Mon, 03 Mar 2008 09:14:22 +0100"), std::string::npos);  // fits whole
}

TEST(TableRows, NarrowTerminalsGetNarrowerTextColumns) {
  for (const size_t width : {80u, 100u, 120u}) {
    const TableFormat table(ScanMode::kUsual, width);
    std::string row;
    table.AppendRow(row, 12345, kMessage, "");
    EXPECT_EQ(row.size() - 1, width) << width;  // every column filled: exactly the width
    EXPECT_EQ(table.Heading().find("Length") + 6, width);
    EXPECT_NE(row.find("1234"), std::string::npos);  // numbers stay whole
  }
  // Too narrow for every minimum: the columns stop shrinking.
  const TableFormat tiny(ScanMode::kUsual, 20);
  EXPECT_EQ(tiny.Heading().find("Length") + 6, 5 + 8 + 10 + 8 + 12 + 10 + 8 + 12u);

  const TableFormat contacts(ScanMode::kAddressBook, 80);
  EXPECT_LE(contacts.Heading().size() - 1, 80u);
}

}  // namespace
}  // namespace tessel::cli
