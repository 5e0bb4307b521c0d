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
  // Most cells need no escape at all, the others few: the search goes straight
  // from one byte that does to the next.
  const auto nextEscape = [&] { return plain + FindFirstOf(cell.substr(plain), '\\', '\t', '\n', '\r'); };
  for (size_t i = nextEscape(); i < cell.size(); i = nextEscape()) {
    out.append(cell.data() + plain, i - plain);
    out += '\\';
    out += kEscapeLetter[static_cast<unsigned char>(cell[i])];
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
