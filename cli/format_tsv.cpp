#include "cli/format_tsv.h"

#include <cstring>

namespace tessel::cli {

void AppendTsvEscaped(std::string& out, std::string_view cell) {
  size_t plain = 0;  // start of the bytes not yet copied
  for (size_t i = 0; i < cell.size(); ++i) {
    const char* escape = nullptr;
    switch (cell[i]) {
      case '\\': escape = "\\\\"; break;
      case '\t': escape = "\\t"; break;
      case '\n': escape = "\\n"; break;
      case '\r': escape = "\\r"; break;
      default: continue;
    }
    out.append(cell.substr(plain, i - plain));
    out.append(escape, 2);
    plain = i + 1;
  }
  out.append(cell.substr(plain));
}

void AppendTsvLine(std::string& out, const Row& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += '\t';
    AppendTsvEscaped(out, cells[i]);
  }
  out += '\n';
}

}  // namespace tessel::cli
