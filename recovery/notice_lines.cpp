#include "recovery/notice_lines.h"

#include <cctype>

namespace tessel::recovery {
namespace {

constexpr std::string_view kBreak = "<br>";
// An "&name;" longer than this is no entity: its "&" is a character of its own.
constexpr std::size_t kLongestEntity = 10;

bool IsLineBreakTag(std::string_view tag) {
  // "<br>", "<BR>", "<br/>" and "<br />".
  std::string name;
  for (std::size_t i = 1; i < tag.size() && std::isalpha(static_cast<unsigned char>(tag[i])); ++i)
    name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[i])));
  return name == "br";
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

// A place on the current line where a break could go: its offset in the
// text made so far, and the characters shown after it.
struct BreakPlace {
  std::size_t at = std::string::npos;
  std::size_t shownAfter = 0;
  bool Found() const { return at != std::string::npos; }
};

std::string BreakNoticeLines(std::string_view richText, std::size_t maxCharacters) {
  if (maxCharacters == 0) return std::string(richText);
  std::string out;
  out.reserve(richText.size() + richText.size() / maxCharacters * kBreak.size());
  std::size_t shown = 0;  // characters on the current line
  BreakPlace space, separator;
  const auto newLine = [&](std::size_t shownOnIt) {
    shown = shownOnIt;
    space = separator = BreakPlace{};
  };
  std::size_t i = 0;
  while (i < richText.size()) {
    const char c = richText[i];
    if (c == '<') {
      const std::size_t close = richText.find('>', i);
      const std::size_t end = close == std::string_view::npos ? richText.size() : close + 1;
      const std::string_view tag = richText.substr(i, end - i);
      out += tag;
      i = end;
      if (IsLineBreakTag(tag)) newLine(0);
      continue;
    }
    if (c == '\n') {
      out += c;
      ++i;
      newLine(0);
      continue;
    }
    // One shown character: an entity, or a UTF-8 sequence.
    std::size_t end = i + 1;
    if (c == '&') {
      const std::size_t semicolon = richText.find(';', i);
      if (semicolon != std::string_view::npos && semicolon - i <= kLongestEntity) end = semicolon + 1;
    } else {
      while (end < richText.size() && IsContinuationByte(richText[end])) ++end;
    }
    if (shown == maxCharacters) {
      const BreakPlace place = space.Found() ? space : separator;
      if (place.Found()) {
        out.insert(place.at, kBreak);
        newLine(place.shownAfter);
      } else {
        out += kBreak;
        newLine(0);
      }
    }
    out += richText.substr(i, end - i);
    i = end;
    ++shown;
    ++space.shownAfter;
    ++separator.shownAfter;
    if (c == ' ') space = {out.size(), 0};
    if (c == '\\' || c == '/') separator = {out.size(), 0};
  }
  return out;
}

}  // namespace tessel::recovery
