#pragma once
// Finding tables in a rich text and cutting one into rows and cells; nested
// tables stay inside their cell's content.
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct TableCellSource {
  std::string attributes;
  std::string content;
};

struct TableRowSource {
  std::string attributes;
  std::vector<TableCellSource> cells;
};

struct TableSource {
  std::string attributes;
  std::vector<TableRowSource> rows;
};

// Where the next "<table" tag starts at or after `from` (not an escaped
// "<<table"); text.size() when there is none.
std::size_t FindTableStart(std::string_view text, std::size_t from);
// Just past the "</table>" that closes the table starting at `start`, counting
// nested tables; text.size() when it is never closed.
std::size_t FindTableEnd(std::string_view text, std::size_t start);
// A table's text from its "<table" to its end, cut into rows and cells.
TableSource ParseTable(std::string_view tableText);

}  // namespace tessel
