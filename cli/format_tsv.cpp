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

}  // namespace

void AppendTsvEscaped(std::string& out, std::string_view cell) {
  size_t plain = 0;  // start of the bytes not yet copied
  // Most cells need no escape at all: the search goes straight to the first that does.
  for (size_t i = FindFirstOf(cell, '\\', '\t', '\n', '\r'); i < cell.size(); ++i) {
    const char letter = kEscapeLetter[static_cast<unsigned char>(cell[i])];
    if (letter == 0) continue;
    out.append(cell.data() + plain, i - plain);
    out += '\\';
    out += letter;
    plain = i + 1;
  }
  out.append(cell.data() + plain, cell.size() - plain);
}

void AppendTsvLine(std::string& out, const Row& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += '\t';
    AppendTsvEscaped(out, cells[i]);
  }
  out += '\n';
}

}  // namespace tessel::cli
