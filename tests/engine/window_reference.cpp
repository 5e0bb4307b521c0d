#include "tests/engine/window_reference.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

namespace tessel::reference {
namespace {

using testing::Rows;

std::string WholeFile(const std::string& path, bool* exists = nullptr) {
  std::ifstream in(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(in);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A window of a file held in memory, clipped to the file as reads are.
std::string Window(const std::string& file, std::int64_t at, std::int64_t size) {
  if (at < 0 || at >= static_cast<std::int64_t>(file.size()) || size <= 0) return {};
  return file.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(size));
}

// Positions 0 .. window size - pattern size - 1, a compare at each.
std::int64_t SearchWindow(const std::string& window, std::string_view pattern) {
  const std::int64_t last = static_cast<std::int64_t>(window.size() - pattern.size()) - 1;
  for (std::int64_t i = 0; i <= last && window.size() > pattern.size(); ++i)
    if (window.compare(static_cast<std::size_t>(i), pattern.size(), pattern) == 0) return i;
  return -1;
}

bool IsHeaderLine(const std::string& line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (std::size_t i = 0; i < colon; ++i)
    if (line[i] <= ' ' || line[i] > '~') return false;
  return true;
}

std::int64_t HeaderStart(const std::string& store, std::int64_t boundary, std::int64_t limit) {
  std::int64_t start = boundary;
  while (start >= 2 && store[start - 1] == '\n' && store[start - 2] == '\r') {
    const std::size_t lineFeed =
        start >= 3 ? store.rfind('\n', static_cast<std::size_t>(start - 3)) : std::string::npos;
    const std::int64_t lineBegin = lineFeed == std::string::npos ? 0 : static_cast<std::int64_t>(lineFeed) + 1;
    if (lineBegin < limit) break;
    const std::string line =
        store.substr(static_cast<std::size_t>(lineBegin), static_cast<std::size_t>(start - 2 - lineBegin));
    const bool continuation = !line.empty() && (line[0] == ' ' || line[0] == '\t');
    if (!IsHeaderLine(line) && !continuation) break;
    start = lineBegin;
  }
  return start;
}

std::size_t FirstAtLineStart(std::string_view text, std::string_view name) {
  for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1))
    if (at == 0 || text[at - 1] == '\n') return at;
  return std::string_view::npos;
}

void AppendMessageRow(Rows& rows, std::string_view text, std::int64_t offset, std::int64_t length) {
  std::vector<std::string> row = HeaderCells(text);
  row.push_back(std::to_string(offset));
  row.push_back(std::to_string(length));
  rows.push_back(row);
}

void AppendRawRows(Rows& rows, const std::string& storePath) {
  bool exists = false;
  const std::string store = WholeFile(storePath, &exists);
  if (!exists) return;
  const std::int64_t storeSize = static_cast<std::int64_t>(store.size());
  const std::string_view boundaryText = "MIME-Version: 1.";

  struct Found {
    std::int64_t begin, end;
    bool endIsBoundary;
  };
  std::vector<Found> found;
  std::int64_t from = 0, window = std::min<std::int64_t>(2000, storeSize), begin = 0;
  bool lookingForStart = true;
  while (from < storeSize) {
    if (lookingForStart) {
      const std::int64_t i = SearchWindow(Window(store, from, window), boundaryText);
      if (i < 0) {
        if (from + window >= storeSize) break;
        from += window - 20;
        if (from + window > storeSize) window = storeSize - from;
        if (window <= 100) break;
        continue;
      }
      begin = from + i;
      from = begin + 16;
      window = std::min<std::int64_t>(2000, storeSize - from);
      lookingForStart = false;
    }
    const std::int64_t i = SearchWindow(Window(store, from, window), boundaryText);
    std::int64_t end = -1;
    if (i >= 0) {
      end = from + i;
    } else if (from + window >= storeSize) {
      end = storeSize;
    } else {
      from += window - 20;
      if (from + window > storeSize) window = storeSize - from;
      if (window <= 100) end = storeSize;
    }
    if (end < 0) continue;
    found.push_back({begin, end, i >= 0});
    from = end;
    window = std::min<std::int64_t>(2000, storeSize - from);
    lookingForStart = true;
  }

  for (std::size_t k = 0; k < found.size(); ++k) {
    const std::int64_t previousEnd = k == 0 ? 0 : found[k - 1].begin + 16;
    const std::int64_t recordBegin = HeaderStart(store, found[k].begin, std::max(previousEnd, found[k].begin - 65536));
    const std::int64_t recordEnd =
        found[k].endIsBoundary ? HeaderStart(store, found[k].end, std::max(found[k].begin + 16, found[k].end - 65536))
                               : found[k].end;
    const std::int64_t length = recordEnd - recordBegin;
    AppendMessageRow(rows, Window(store, recordBegin, std::min<std::int64_t>(length, 65536)), recordBegin, length);
  }
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::int64_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void WalkIndex(Rows& rows, const std::string& index, const std::string& storePath) {
  bool storeExists = false;
  const std::string store = WholeFile(storePath, &storeExists);
  const std::int64_t storeSize = static_cast<std::int64_t>(store.size());
  const std::int64_t indexSize = static_cast<std::int64_t>(index.size());
  std::int64_t at = 0, window = std::min<std::int64_t>(2000, indexSize), offset = 0;
  bool rawScanned = false;
  while (at < indexSize) {
    const std::int64_t i = SearchWindow(Window(index, at, window), std::string_view("\0\0\3\0", 4));
    if (i < 0) {
      if (at + window >= indexSize) break;
      at += window - 8;
      if (at + window > indexSize) window = indexSize - at;
      continue;
    }
    at += i + 4;
    if (at + 4 > indexSize) break;
    const std::int64_t length = LittleEndianAt(index, at);
    if (storeExists && length > 0 && length < storeSize - 300) {
      if (offset < storeSize) {
        AppendMessageRow(rows, Window(store, offset, std::min<std::int64_t>(length, 2000)), offset, length);
      }
      offset += length;
    } else {
      if (!rawScanned) AppendRawRows(rows, storePath);
      rawScanned = true;
    }
    at += 4;
    window = std::min(window, indexSize - at);
  }
}

}  // namespace

std::vector<std::string> HeaderCells(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  struct Rule {
    std::string_view names[3];
    bool isTo;
    const char* fallback;
  };
  const Rule rules[4] = {{{"From:", "from:", "FROM:"}, false, "Unknown"},
                         {{"Subject:", "SUBJECT:", "subject:"}, false, "Unknown"},
                         {{"to:", "TO:", "To:"}, true, "none"},
                         {{"date:", "DATE:", "Date:"}, false, "Unknown"}};
  std::vector<std::string> cells;
  for (const Rule& rule : rules) {
    std::string cell = rule.fallback;
    for (std::string_view name : rule.names) {
      const std::size_t at = FirstAtLineStart(text, name);
      if (at == std::string_view::npos) continue;
      std::size_t start = at + name.size();
      if (!rule.isTo && start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
      std::string value(text.substr(start));
      value = value.substr(0, value.find("\r\n"));
      if (rule.isTo)
        CleanAddress(value.substr(0, value.find('>')), cell);
      else
        cell = value;
      break;
    }
    cells.push_back(cell);
  }
  return cells;
}

Rows RawScan(const std::string& storePath) {
  Rows rows;
  AppendRawRows(rows, storePath);
  return rows;
}

Rows EachRecordOnce(Rows rows) {
  std::set<std::pair<std::string, std::string>> listed;
  std::erase_if(rows, [&](const std::vector<std::string>& row) { return !listed.insert({row[4], row[5]}).second; });
  return rows;
}

Rows ScanMessageStore(const std::string& path) {
  Rows rows;
  bool exists = false;
  const std::string chosen = WholeFile(path, &exists);
  if (!exists) return rows;
  const ChosenFile chosenFile = ResolveChosenFile(path, ChosenAs::kMessageStore);
  if (chosenFile.kind == FileKind::kStore) return RawScan(path);
  const std::string& storePath = chosenFile.storePath;
  if (!FileExists(storePath)) return rows;
  const char signature[8] = {0x56, 0x23, 0x30, 0x34, 0x3C, 0x12, 0x08, 0x49};
  bool accepted = false;
  for (std::size_t i = 0; i < 8 && i < chosen.size(); ++i) accepted = accepted || chosen[i] == signature[i];
  if (!accepted) return RawScan(storePath);
  WalkIndex(rows, chosen, storePath);
  return rows;
}

}  // namespace tessel::reference
