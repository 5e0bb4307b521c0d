// The contacts files: the text layout, CSV and vCard, from rows as the address
// book walk fills them (fields padded with one space).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>

#include "export/contact_formats.h"
#include "export/output_file.h"
#include "tests/support/scratch_folder.h"

namespace tessel::exporting {
namespace {

// A contact's cells as a test writes them, handed to the writers as the list's row.
struct Row : std::vector<std::string> {
  using std::vector<std::string>::vector;
  operator CellRow() const {  // NOLINT: implicit, so that the cases read as the writers are called
    const std::vector<std::string_view> cells(begin(), end());
    return CellRow(cells);
  }
};

const CodePage& Windows1252() { return *FindCodePage(kDefaultCodePage); }

Row Contact() {
  Row cells(kContactCellCount, " ");
  cells[kDisplayName] = "Anna Berger ";
  cells[kEmail] = "anna.berger@example.org ";
  cells[kFirstName] = "Anna ";
  cells[kLastName] = "Berger ";
  cells[kHomePhone] = "+43 316 555 0101 ";
  cells[kHomeCity] = "Graz ";
  cells[kHomeCountry] = "Austria ";
  return cells;
}

TEST(ContactFields, TrimsPaddingAndFindsWipedRecords) {
  EXPECT_EQ(TrimmedField("Anna   "), "Anna");
  EXPECT_EQ(TrimmedField(" "), "");
  EXPECT_EQ(TrimmedField(" x"), " x");
  EXPECT_TRUE(IsBlankContact(Row(kContactCellCount, " ")));
  Row one(kContactCellCount, " ");
  one[kWorkFax] = "1 ";
  EXPECT_FALSE(IsBlankContact(one));
}

TEST(ContactText, OneBlockPerContactWithNonEmptyFields) {
  Row cells = Contact();
  cells[kCompany] = "Lopez & Hijos\r\nS.L. ";
  cells[kWorkPhone] = "+34 91 ";
  std::string out;
  AppendContactText(out, 3, cells);
  EXPECT_EQ(out,
            "Contact 3\r\n"
            "Display Name: Anna Berger\r\n"
            "Email: anna.berger@example.org\r\n"
            "First Name: Anna\r\n"
            "Last Name: Berger\r\n"
            "Phone: +43 316 555 0101\r\n"
            "City: Graz\r\n"
            "Country: Austria\r\n"
            "Business Phone: +34 91\r\n"
            "Company Name: Lopez & Hijos  S.L.\r\n"
            "\r\n");
}

// The file is written as its text gathers: a book of many writes' worth still
// gives every contact once, in order.
TEST(ContactText, ALargeBookIsWrittenWhole) {
  const Row contact = Contact();
  std::vector<ContactRow> rows;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    rows.push_back({contact});
    AppendContactText(expected, i + 1, contact);
  }
  ASSERT_GT(expected.size(), size_t{4} << 16);
  tessel::testing::ScratchFolder scratch;
  ContactsWritten written;
  std::string error;
  ASSERT_TRUE(WriteContactsFile(rows, scratch.Path("AddBook.txt"), ContactFormat::kText, Windows1252(), written, error))
      << error;
  EXPECT_EQ(written.contacts, 3000);
  EXPECT_EQ(scratch.Read("AddBook.txt"), expected);
}

// Real files whose first write asks for a stop, as Ctrl-C would in the middle of a large book.
class StopAfterFirstWrite final : public FileOpener {
 public:
  explicit StopAfterFirstWrite(std::atomic<int>& stop) : stop_(stop) {}
  std::unique_ptr<FileWriter> CreateNew(const std::string& path) override {
    struct Writer final : FileWriter {
      Writer(std::unique_ptr<FileWriter> file, std::atomic<int>& stop) : file(std::move(file)), stop(stop) {}
      bool Write(std::string_view bytes) override {
        stop = 1;
        return file->Write(bytes);
      }
      bool Close() override { return file->Close(); }
      int ErrorCode() const override { return file->ErrorCode(); }
      std::unique_ptr<FileWriter> file;
      std::atomic<int>& stop;
    };
    return std::make_unique<Writer>(PlatformFileOpener().CreateNew(path), stop_);
  }
  std::unique_ptr<FileWriter> Replace(const std::string& path) override { return nullptr; }
  std::unique_ptr<FileWriter> StandardOutput() override { return nullptr; }

 private:
  std::atomic<int>& stop_;
};

// A stopped save leaves no file: the first 64 KiB of a book are no book.
TEST(ContactText, AStopWhileWritingRemovesTheFile) {
  const std::vector<ContactRow> rows(3000, ContactRow{Contact()});
  tessel::testing::ScratchFolder scratch;
  std::atomic<int> stop{0};
  StopAfterFirstWrite opener(stop);
  const ScopedFileOpener scoped(opener);
  ContactsWritten written;
  std::string error;
  EXPECT_FALSE(WriteContactsFile(rows, scratch.Path("AddBook.vcf"), ContactFormat::kVCard, Windows1252(), written,
                                 error, &stop));
  EXPECT_EQ(stop.load(), 1) << "nothing was written before the end";
  EXPECT_EQ(error, "stopped before '" + scratch.Path("AddBook.vcf") + "' was complete; it is removed");
  EXPECT_FALSE(std::filesystem::exists(scratch.Path("AddBook.vcf")));
}

TEST(ContactCsv, HeaderOfDistinctLabelsAndQuotedFields) {
  std::string header;
  AppendContactCsvHeader(header);
  EXPECT_EQ(header.substr(0, 39), "Display Name,Email,Title,First Name,Mid");
  EXPECT_NE(header.find(",Phone,"), std::string::npos);
  EXPECT_NE(header.find(",Business Phone,"), std::string::npos);
  EXPECT_EQ(header.substr(header.size() - 14), "Business Fax\r\n");

  Row cells(kContactCellCount, " ");
  cells[kDisplayName] = "Berger, Anna ";
  cells[kEmail] = "say \"hi\" ";
  cells[kCompany] = "line\nbreak";
  cells[kHomeCity] = "Caf\xE9 ";  // read in the address book's code page
  std::string row;
  AppendContactCsvRow(row, cells, Windows1252());
  EXPECT_EQ(row, "\"Berger, Anna\",\"say \"\"hi\"\"\",,,,,,,Caf\xC3\xA9,,,,,,,,\"line\nbreak\",,,,,,\r\n");

  // The same byte in a Cyrillic address book, and bytes that happen to form UTF-8 in a 1252 one.
  Row cyrillic(kContactCellCount, " ");
  cyrillic[kDisplayName] = "\xCF\xE5\xF2\xF0 ";
  cyrillic[kHomeCity] = "\xC3\xA9";
  row.clear();
  AppendContactCsvRow(row, cyrillic, *FindCodePage(1251));
  EXPECT_EQ(row.substr(0, 9), "\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80,");  // Петр
  row.clear();
  AppendContactCsvRow(row, cyrillic, Windows1252());
  EXPECT_NE(row.find(",\xC3\x83\xC2\xA9,"), std::string::npos);  // Ã©, not é: the page decides, not a guess
}

// Fields from other people's mail that a spreadsheet would run as formulas
// stay text; phone numbers, with their "+" and "-", stay as they are.
TEST(ContactCsv, FieldsThatWouldRunAsFormulasBeginWithAnApostrophe) {
  const struct {
    const char* field;
    const char* written;
  } kCases[] = {
      {"=HYPERLINK(\"http://x.example\",\"Click\")", "\"'=HYPERLINK(\"\"http://x.example\"\",\"\"Click\"\")\""},
      {"=1+1", "\"'=1+1\""},
      {"@SUM(A1:A9)", "\"'@SUM(A1:A9)\""},
      {"\tx", "\"'\tx\""},
      {"\rx", "\"'\rx\""},
      {"+cmd|' /C calc'!A0", "\"'+cmd|' /C calc'!A0\""},
      {"-2+3+cmd|' /C calc'!A0", "\"'-2+3+cmd|' /C calc'!A0\""},
      {"+A1", "\"'+A1\""},
      {"-1,5", "\"'-1,5\""},  // a comma is no phone character
      {"+43 316 555 0101", "+43 316 555 0101"},
      {"+1 (555) 010-0199", "+1 (555) 010-0199"},
      {"-0316/555.01", "-0316/555.01"},
      {"+", "+"},
      {"-", "-"},
      {"0316 555 0101", "0316 555 0101"},
      {"a=b", "a=b"},
      {" =1+1", " =1+1"},
      {"'quoted'", "'quoted'"},
  };
  for (const auto& c : kCases) {
    Row cells(kContactCellCount, " ");
    cells[kHomePhone] = c.field;
    std::string row;
    AppendContactCsvRow(row, cells, Windows1252());
    EXPECT_EQ(row,
              std::string(kHomePhone, ',') + c.written + std::string(kContactCellCount - 1 - kHomePhone, ',') + "\r\n")
        << c.field;
  }
}

TEST(ContactCsv, ShortRowsStillHave23Fields) {
  std::string row;
  AppendContactCsvRow(row, {"only"}, Windows1252());
  EXPECT_EQ(row, "only" + std::string(22, ',') + "\r\n");
}

TEST(VCard, CardWithTheFieldsPresentOnly) {
  std::string out;
  AppendVCard(out, Contact(), Windows1252());
  EXPECT_EQ(out,
            "BEGIN:VCARD\r\n"
            "VERSION:3.0\r\n"
            "N:Berger;Anna;;;\r\n"
            "FN:Anna Berger\r\n"
            "EMAIL;TYPE=INTERNET:anna.berger@example.org\r\n"
            "TEL;TYPE=HOME,VOICE:+43 316 555 0101\r\n"
            "ADR;TYPE=HOME:;;;Graz;;;Austria\r\n"
            "END:VCARD\r\n");
}

TEST(VCard, EscapesDecodesAndFallsBackForTheName) {
  Row cells(kContactCellCount, " ");
  cells[kEmail] = "news@lists.example.com ";
  cells[kCompany] = "Lopez & Hijos, S.L.; Madrid\\Spain ";
  cells[kJobTitle] = "Chef de cuisine \xE0 Lyon ";
  std::string out;
  AppendVCard(out, cells, Windows1252());
  EXPECT_NE(out.find("N:;;;;\r\nFN:news@lists.example.com\r\n"), std::string::npos);
  EXPECT_NE(out.find("ORG:Lopez & Hijos\\, S.L.\\; Madrid\\\\Spain\r\n"), std::string::npos);
  EXPECT_NE(out.find("TITLE:Chef de cuisine \xC3\xA0 Lyon\r\n"), std::string::npos);
  EXPECT_EQ(out.find("ADR"), std::string::npos);

  cells[kEmail] = " ";
  cells[kFirstName] = "Jean ";
  cells[kLastName] = "Roux ";
  out.clear();
  AppendVCard(out, cells, Windows1252());
  EXPECT_NE(out.find("FN:Jean Roux\r\n"), std::string::npos);
}

TEST(VCard, FoldsLongLinesWithoutSplittingCharacters) {
  Row cells(kContactCellCount, " ");
  cells[kDisplayName] = "x";
  std::string longNote;
  for (int i = 0; i < 60; ++i) longNote += "\xE9";  // é, two bytes each in UTF-8
  cells[kEmail] = longNote + "@example.org";
  std::string out;
  AppendVCard(out, cells, Windows1252());
  size_t lineStart = 0;
  std::string unfolded;
  for (size_t end = out.find("\r\n"); end != std::string::npos;
       lineStart = end + 2, end = out.find("\r\n", lineStart)) {
    const std::string line = out.substr(lineStart, end - lineStart);
    EXPECT_LE(line.size(), 75u);
    ASSERT_FALSE(line.empty());
    EXPECT_NE(static_cast<unsigned char>(line[line[0] == ' ' ? 1 : 0]) & 0xC0, 0x80u);
    unfolded += line[0] == ' ' ? line.substr(1) : "\n" + line;
  }
  std::string expected = "EMAIL;TYPE=INTERNET:";
  for (int i = 0; i < 60; ++i) expected += "\xC3\xA9";
  EXPECT_NE(unfolded.find(expected + "@example.org\n"), std::string::npos);
}

}  // namespace
}  // namespace tessel::exporting
