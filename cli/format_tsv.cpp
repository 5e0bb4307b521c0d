#include "cli/format_tsv.h"

#include <array>

#include "engine/byte_search.h"

namespace tessel::cli {
namespace {

// The escape letter of each byte that needs one; 0 for the others.
constexpr auto kEscapeLetter = [] {
  std::array<char, 256> letters{};
  letters['\\'] = '\\';
  letters['\t'] = 't';
  letters['\n'] = 'n';
  letters['\r'] = 'r';
  return letters;
}();

// Where the next byte that needs an escape lies, from `from` on. Most cells are
// short and need none: a look at each byte is quicker there than setting up the
// wide search, which pays off on long cells.
size_t NextEscape(std::string_view cell, size_t from) {
  constexpr size_t kWideFrom = 32;
  if (cell.size() - from >= kWideFrom) return from + FindFirstOf(cell.substr(from), '\\', '\t', '\n', '\r');
  while (from < cell.size() && kEscapeLetter[static_cast<unsigned char>(cell[from])] == 0) ++from;
  return from;
}

}  // namespace

void AppendTsvEscaped(std::string& out, std::string_view cell) {
  size_t plain = 0;  // start of the bytes not yet copied
  for (size_t i = NextEscape(cell, 0); i < cell.size(); i = NextEscape(cell, plain)) {
    out.append(cell.data() + plain, i - plain);
    out += '\\';
    out += kEscapeLetter[static_cast<unsigned char>(cell[i])];
    plain = i + 1;
  }
  out.append(cell.data() + plain, cell.size() - plain);
}

void AppendTsvLine(std::string& out, const CellRow& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += '\t';
    AppendTsvEscaped(out, cells[i]);
  }
  out += '\n';
}

}  // namespace tessel::cli
