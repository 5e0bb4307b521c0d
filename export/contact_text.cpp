#include "export/contact_formats.h"

namespace tessel::exporting {

void AppendContactText(std::string& out, long long number, const CellRow& cells) {
  out += "Contact " + std::to_string(number) + "\r\n";
  for (size_t i = 0; i < cells.size() && i < kContactCellCount; ++i) {
    const std::string_view value = TrimmedField(cells[i]);
    if (value.empty()) continue;
    out += kContactColumns[i].label;
    out += ": ";
    for (const char c : value) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    out += "\r\n";
  }
  out += "\r\n";
}

}  // namespace tessel::exporting
