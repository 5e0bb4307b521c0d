#include "cli/contact_formats.h"
#include "cli/text_encoding.h"

namespace tessel::cli {
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

void AppendContactCsvRow(std::string& out, const Row& cells, const CodePage& page) {
  for (int i = 0; i < kContactCellCount; ++i) {
    if (i > 0) out += ',';
    if (static_cast<size_t>(i) < cells.size()) AppendCsvField(out, FromCodePage(TrimmedField(cells[i]), page));
  }
  out += "\r\n";
}

}  // namespace tessel::cli
