#include "mail/header_block.h"

#include <algorithm>

namespace tessel::mail {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (IsSpace(text.front()) || text.front() == '\r' || text.front() == '\n')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (IsSpace(text.back()) || text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

// A line without its line end.
std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::size_t HeaderBlockLength(std::string_view message) {
  message = message.substr(0, kMaxHeaderBlock);
  std::size_t start = 0;
  while (start < message.size()) {
    const std::size_t end = message.find('\n', start);
    if (end == std::string_view::npos) return message.size();
    const std::string_view line = message.substr(start, end - start);
    if (line.empty() || line == "\r") return start;
    start = end + 1;
  }
  return message.size();
}

HeaderBlock::HeaderBlock(std::string_view block) : HeaderBlock(block, {}) {}

HeaderBlock::HeaderBlock(std::string_view block, std::span<const std::string_view> names) {
  block = block.substr(0, kMaxHeaderBlock);
  const auto wanted = [&](std::string_view name) {
    if (names.empty()) return true;
    for (const std::string_view candidate : names) {
      if (EqualsIgnoringCase(name, candidate)) return Find(name) == nullptr;
    }
    return false;
  };
  constexpr std::size_t kUsualFieldCount = 32;
  fields_.reserve(names.empty() ? kUsualFieldCount : names.size());
  HeaderField* current = nullptr;
  std::size_t start = 0;
  while (start < block.size()) {
    std::size_t end = block.find('\n', start);
    end = end == std::string_view::npos ? block.size() : end + 1;
    const std::string_view line = WithoutLineEnd(block.substr(start, end - start));
    const std::size_t lineStart = start;
    start = end;
    if (line.empty()) break;
    if (IsSpace(line.front())) {
      // A folded line belongs to the field above it.
      if (current != nullptr) {
        const auto rawStart = static_cast<std::size_t>(current->raw.data() - block.data());
        current->raw = block.substr(rawStart, lineStart + line.size() - rawStart);
      }
      continue;
    }
    const std::size_t colon = line.find(':');
    std::string_view name = colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
    while (!name.empty() && IsSpace(name.back())) name.remove_suffix(1);  // "Subject :" in old mail
    if (name.empty() || name.find_first_of(" \t") != std::string_view::npos || !wanted(name)) {
      current = nullptr;
      continue;
    }
    fields_.push_back({name, line.substr(colon + 1)});
    current = &fields_.back();
  }
}

std::string_view HeaderField::Value(std::string& storage) const {
  for (const char c : raw) {
    if (c == '\r' || c == '\n') {
      storage = Value();
      return storage;
    }
  }
  return TrimSpaces(raw);
}

std::string HeaderField::Value() const {
  std::string value;
  value.reserve(raw.size());
  for (const char c : raw) {
    if (c != '\r' && c != '\n') value += c;
  }
  return std::string(TrimSpaces(value));
}

const HeaderField* HeaderBlock::Find(std::string_view name) const {
  for (const HeaderField& field : fields_) {
    if (EqualsIgnoringCase(field.name, name)) return &field;
  }
  return nullptr;
}

}  // namespace tessel::mail
