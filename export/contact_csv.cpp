#include "export/contact_formats.h"
#include "export/text_encoding.h"

namespace tessel::exporting {
namespace {

void AppendCsvField(std::string& out, std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += value;
    return;
  }
  out += '"';
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
