#include "mail/html_text.h"

#include <cstdint>

#include "mail/header_block.h"

namespace tessel::mail {
namespace {

struct Entity {
  std::string_view name;
  char32_t point;
};

constexpr Entity kEntities[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},        {"quot", '"'},     {"apos", '\''},    {"nbsp", 0xA0},
    {"copy", 0xA9},    {"reg", 0xAE},     {"euro", 0x20AC},   {"pound", 0xA3},   {"laquo", 0xAB},   {"raquo", 0xBB},
    {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"bull", 0x2022},  {"middot", 0xB7},   {"deg", 0xB0},     {"auml", 0xE4},    {"ouml", 0xF6},
    {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},     {"Uuml", 0xDC},    {"szlig", 0xDF},   {"eacute", 0xE9},
    {"egrave", 0xE8},  {"agrave", 0xE0},  {"ccedil", 0xE7},   {"ntilde", 0xF1},
};

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Decodes the entity at `at` (at '&') into `out`; returns the bytes it took, 0 when it is none.
std::size_t DecodeEntity(std::string_view html, std::size_t at, std::string& out) {
  constexpr std::size_t kLongest = 12;
  const std::size_t semicolon = html.substr(at, kLongest).find(';');
  if (semicolon == std::string_view::npos || semicolon < 2) return 0;
  const std::string_view name = html.substr(at + 1, semicolon - 1);
  if (name[0] == '#') {
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    std::uint32_t value = 0;
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    for (const char c : digits) {
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) return 0;
      value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    AppendCodePoint(out, value);
    return semicolon + 1;
  }
  for (const Entity& entity : kEntities) {
    if (name == entity.name) {
      AppendCodePoint(out, entity.point);
      return semicolon + 1;
    }
  }
  return 0;
}

// The value of attribute `name` in a tag's text, or empty.
std::string_view Attribute(std::string_view tag, std::string_view name) {
  for (std::size_t at = 0; at + name.size() < tag.size(); ++at) {
    if (!EqualsIgnoringCase(tag.substr(at, name.size()), name) || (at > 0 && !IsSpace(tag[at - 1]))) continue;
    std::size_t i = at + name.size();
    while (i < tag.size() && IsSpace(tag[i])) ++i;
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    while (i < tag.size() && IsSpace(tag[i])) ++i;
    if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
      const std::size_t end = tag.find(tag[i], i + 1);
      return tag.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
    }
    std::size_t end = i;
    while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '>') ++end;
    return tag.substr(i, end - i);
  }
  return {};
}

class TextWriter {
 public:
  void Text(std::string_view text) {
    for (const char c : text) {
      if (IsSpace(c) && !pre_) {
        pendingSpace_ = true;
        continue;
      }
      Flush();
      out_ += c;
    }
  }
  void Append(std::string_view text) {
    Flush();
    out_ += text;
  }
  // At least `count` line ends here (1: a line break, 2: a paragraph).
  void Break(int count) {
    pendingSpace_ = false;
    if (out_.empty()) return;
    newlines_ = std::max(newlines_, count);
  }
  void Pre(bool on) { pre_ = on; }
  std::string Take() { return std::move(out_); }

 private:
  void Flush() {
    if (newlines_ > 0) {
      while (!out_.empty() && out_.back() == ' ') out_.pop_back();
      out_.append(static_cast<std::size_t>(newlines_), '\n');
      newlines_ = 0;
    } else if (pendingSpace_ && !out_.empty() && out_.back() != '\n') {
      out_ += ' ';
    }
    pendingSpace_ = false;
  }
  std::string out_;
  int newlines_ = 0;
  bool pendingSpace_ = false;
  bool pre_ = false;
};

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  for (const std::string_view candidate : names) {
    if (EqualsIgnoringCase(name, candidate)) return true;
  }
  return false;
}

}  // namespace

std::string HtmlToText(std::string_view html) {
  TextWriter writer;
  std::string link;      // the address of the open link
  std::string linkText;  // its text so far, to leave out an address shown twice
  bool inLink = false;
  std::size_t at = 0;
  while (at < html.size()) {
    const char c = html[at];
    if (c == '&') {
      std::string decoded;
      if (const std::size_t taken = DecodeEntity(html, at, decoded); taken > 0) {
        writer.Text(decoded == "\xC2\xA0" ? " " : decoded);
        if (inLink) linkText += decoded;
        at += taken;
        continue;
      }
    }
    if (c != '<') {
      const std::size_t next = html.find_first_of("<&", at + 1);
      const std::string_view text =
          html.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
      writer.Text(text);
      if (inLink) linkText += text;
      at += text.size();
      continue;
    }
    if (html.substr(at, 4) == "<!--") {
      const std::size_t end = html.find("-->", at + 4);
      at = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const std::size_t end = html.find('>', at);
    if (end == std::string_view::npos) {
      writer.Text(html.substr(at));  // a "<" that opens no tag is text
      break;
    }
    const std::string_view tag = html.substr(at + 1, end - at - 1);
    at = end + 1;
    const bool closing = !tag.empty() && tag[0] == '/';
    std::size_t nameEnd = closing ? 1 : 0;
    while (nameEnd < tag.size() && !IsSpace(tag[nameEnd]) && tag[nameEnd] != '/') ++nameEnd;
    const std::string_view name = tag.substr(closing ? 1 : 0, nameEnd - (closing ? 1 : 0));
    if (!closing && IsOneOf(name, {"script", "style", "head", "title"})) {
      // Their content is not text: skip to the closing tag.
      const std::string closer = "</" + std::string(name);
      std::size_t close = at;
      while ((close = html.find("</", close)) != std::string_view::npos &&
             !EqualsIgnoringCase(html.substr(close, closer.size()), closer)) {
        close += 2;
      }
      if (close == std::string_view::npos) break;
      const std::size_t closeEnd = html.find('>', close);
      at = closeEnd == std::string_view::npos ? html.size() : closeEnd + 1;
    } else if (IsOneOf(name, {"br"})) {
      writer.Break(1);
      writer.Append("");
    } else if (IsOneOf(name, {"p", "h1", "h2", "h3", "h4", "h5", "h6", "blockquote", "table", "ul", "ol", "hr"})) {
      writer.Break(2);
    } else if (IsOneOf(name, {"div", "tr", "li", "dt", "dd", "body"})) {
      writer.Break(1);
      if (!closing && EqualsIgnoringCase(name, "li")) writer.Append("- ");
    } else if (IsOneOf(name, {"td", "th"})) {
      if (!closing) writer.Text(" ");
    } else if (EqualsIgnoringCase(name, "pre")) {
      writer.Break(1);
      writer.Pre(!closing);
    } else if (EqualsIgnoringCase(name, "a")) {
      if (!closing) {
        std::string_view href = Attribute(tag, "href");
        if (href.size() > 7 && EqualsIgnoringCase(href.substr(0, 7), "mailto:")) href.remove_prefix(7);
        link.clear();
        // The address may hold entities too ("?a=1&amp;b=2").
        for (std::size_t i = 0; i < href.size();) {
          if (href[i] == '&') {
            if (const std::size_t taken = DecodeEntity(href, i, link); taken > 0) {
              i += taken;
              continue;
            }
          }
          link += href[i++];
        }
        linkText.clear();
        inLink = true;
      } else if (inLink) {
        inLink = false;
        std::string shown = linkText;
        while (!shown.empty() && IsSpace(shown.back())) shown.pop_back();
        if (!link.empty() && link != shown && link.front() != '#') writer.Append(" <" + link + ">");
      }
    }
  }
  std::string text = writer.Take();
  while (!text.empty() && IsSpace(text.back())) text.pop_back();
  return text;
}

}  // namespace tessel::mail
