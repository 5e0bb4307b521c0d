#include "richtext/html_table_source.h"

#include <optional>

namespace tessel {
namespace {

struct TagAt {
  std::size_t start = 0;  // the "<"
  std::size_t end = 0;    // just past the ">"
  bool closing = false;
  std::string_view name;
  std::string_view attributes;
};

// The next real tag at or after `pos`, read as the markup reader reads tags.
std::optional<TagAt> NextTag(std::string_view text, std::size_t pos) {
  const std::size_t n = text.size();
  while (pos < n) {
    std::size_t open = text.find('<', pos);
    if (open == std::string_view::npos || open + 1 >= n) return std::nullopt;
    if (text[open + 1] == '<') {
      pos = open + 2;
      continue;
    }
    std::size_t close = text.find('>', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    if (close == open + 1) {
      pos = open + 1;
      continue;
    }
    TagAt tag;
    tag.start = open;
    tag.end = close + 1;
    std::string_view inner = text.substr(open + 1, close - open - 1);
    if (inner[0] == '/') {
      tag.closing = true;
      inner.remove_prefix(1);
    }
    std::size_t nameEnd = inner.find_first_of(" =");
    if (nameEnd == std::string_view::npos) nameEnd = inner.size();
    tag.name = inner.substr(0, nameEnd);
    std::size_t attrStart = inner.find_first_not_of(' ', nameEnd);
    if (attrStart != std::string_view::npos) tag.attributes = inner.substr(attrStart);
    return tag;
  }
  return std::nullopt;
}

}  // namespace

std::size_t FindTableStart(std::string_view text, std::size_t from) {
  for (auto tag = NextTag(text, from); tag; tag = NextTag(text, tag->end))
    if (!tag->closing && tag->name == "table") return tag->start;
  return text.size();
}

std::size_t FindTableEnd(std::string_view text, std::size_t start) {
  int depth = 0;
  for (auto tag = NextTag(text, start); tag; tag = NextTag(text, tag->end)) {
    if (tag->name != "table") continue;
    depth += tag->closing ? -1 : 1;
    if (depth <= 0) return tag->end;
  }
  return text.size();
}

TableSource ParseTable(std::string_view text) {
  TableSource table;
  auto tag = NextTag(text, 0);
  if (!tag || tag->closing || tag->name != "table") return table;
  table.attributes = std::string(tag->attributes);

  int depth = 0;  // of tables nested in the current cell
  TableRowSource* row = nullptr;
  TableCellSource* cell = nullptr;
  std::size_t contentStart = 0;
  auto closeCell = [&](std::size_t at) {
    if (cell) cell->content = std::string(text.substr(contentStart, at - contentStart));
    cell = nullptr;
  };
  auto closeRow = [&](std::size_t at) {
    closeCell(at);
    row = nullptr;
  };
  for (tag = NextTag(text, tag->end); tag; tag = NextTag(text, tag->end)) {
    if (tag->name == "table") {
      if (!tag->closing) {
        ++depth;
      } else if (depth > 0) {
        --depth;
      } else {
        closeRow(tag->start);
        return table;
      }
      continue;
    }
    if (depth > 0) continue;
    if (tag->name == "tr") {
      closeRow(tag->start);
      if (!tag->closing) {
        table.rows.push_back({std::string(tag->attributes), {}});
        row = &table.rows.back();
      }
    } else if (tag->name == "td") {
      closeCell(tag->start);
      if (tag->closing) continue;
      if (!row) {
        table.rows.push_back({});
        row = &table.rows.back();
      }
      row->cells.push_back({std::string(tag->attributes), {}});
      cell = &row->cells.back();
      contentStart = tag->end;
    }
  }
  closeRow(text.size());
  return table;
}

}  // namespace tessel
