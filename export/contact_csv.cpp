#include "export/contact_formats.h"
#include "export/text_encoding.h"

namespace tessel::exporting {
namespace {

// What a phone number is written with. After a leading "+" or "-", a field of
// these is at worst a sum to a spreadsheet, never a formula that calls a
// function or reads a cell: it is left as it is ("+43 316 555 0101").
constexpr std::string_view kPhoneCharacters = "0123456789 +-()./";

// True when a spreadsheet that opens the file would run the field as a
// formula. Address books come from other people's mail, so their fields are
// never trusted to be plain text.
bool ReadsAsFormula(std::string_view value) {
  if (value.empty()) return false;
  switch (value.front()) {
    case '=':
    case '@':
    case '\t':
    case '\r':
      return true;
    case '+':
    case '-':
      return value.find_first_not_of(kPhoneCharacters, 1) != std::string_view::npos;
    default:
      return false;
  }
}

void AppendCsvField(std::string& out, std::string_view value) {
  const bool formula = ReadsAsFormula(value);
  if (!formula && value.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += value;
    return;
  }
  out += '"';
  // The apostrophe makes a spreadsheet take the rest as text.
  if (formula) out += '\'';
  for (const char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

void AppendContactCsvHeader(std::string& out) {
  for (int i = 0; i < kContactCellCount; ++i) {
    if (i > 0) out += ',';
    AppendCsvField(out, kContactColumns[i].label);
  }
  out += "\r\n";
}

void AppendContactCsvRow(std::string& out, const CellRow& cells, const CodePage& page) {
  for (int i = 0; i < kContactCellCount; ++i) {
    if (i > 0) out += ',';
    AppendCsvField(out, FromCodePage(TrimmedField(cells[i]), page));
  }
  out += "\r\n";
}

}  // namespace tessel::exporting
