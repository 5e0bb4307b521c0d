#include "richtext/html_markup.h"

#include <cctype>

namespace tessel {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  text.swap(out);
}

}  // namespace

HtmlEntities::HtmlEntities() {
  // Text is UTF-8 throughout, so each entity stands for its character. "&euro;"
  // stands for 0x88 of the Western code page, the modifier circumflex, not the
  // euro sign (0x80); kept so that texts written for it draw the same.
  map_ = {
      {"&amp;", "&"},    {"&bull;", "•"}, {"&copy;", "©"},  {"&euro;", "ˆ"}, {"&gt;", ">"},
      {"&iquest;", "¿"}, {"&lt;", "<<"},  {"&nbsp;", " "},  {"&para;", "¶"}, {"&pound;", "£"},
      {"&quot;", "\""},  {"&reg;", "®"},  {"&trade;", "™"},
  };
}

std::string HtmlEntities::Prepare(std::string_view source, bool lineFeedsAreMarkup) const {
  std::string text(source);
  for (const auto& [entity, replacement] : map_) ReplaceAll(text, entity, replacement);
  std::string out = "<body>";
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n' || c == '\t') {
      if (lineFeedsAreMarkup) out += c == '\n' ? "<br>" : "<t>";
      continue;
    }
    out += c;
  }
  out += "</body>";
  return out;
}

HtmlTagTable::HtmlTagTable() {
  const struct {
    const char* name;
    int code;
    const char* style;
  } kTags[] = {
      {"b", kTagBold, "bold"},
      {"i", kTagItalic, "italic"},
      {"em", kTagItalic, "italic"},
      {"u", kTagUnderline, "underline"},
      {"s", kTagStrikeOut, "strikeout"},
      {"strike", kTagStrikeOut, "strikeout"},
      {"font", kTagFont, "font"},
      {"hr", kTagRule, ""},
      {"br", kTagBreak, ""},
      {"\n", kTagBreak, ""},
      {"t", kTagTab, ""},
      {"\t", kTagTab, ""},
      {"left", kTagLeft, "left"},
      {"center", kTagCenter, "center"},
      {"right", kTagRight, "right"},
      {"justify", kTagJustify, "justify"},
      {"baseline", kTagBaseline, "baseline"},
      {"top", kTagTop, "top"},
      {"vcenter", kTagVCenter, "vcenter"},
      {"middle", kTagVCenter, "vcenter"},
      {"bottom", kTagBottom, "vcenter"},
      {"bmp", kTagBitmap, ""},
      {"icon", kTagIcon, ""},
      {"ilst", kTagImageList, ""},
      {"string", kTagString, ""},
      {"span", kTagSpan, "span"},
      {"a", kTagLink, "link"},
  };
  for (const auto& tag : kTags) Set(tag.name, tag.code, tag.style);
  for (const char* name : {"body", "h1", "h2", "h3", "h4", "h5", "h6", "code", "pre", "big", "small", "sub", "sup"})
    Set(name, kTagSheetRule, name);
}

const HtmlTagInfo* HtmlTagTable::Find(std::string_view name) const {
  auto found = map_.find(name);
  return found == map_.end() ? nullptr : &found->second;
}

HtmlToken HtmlTokenizer::Next() {
  HtmlToken token;
  const std::size_t n = text_.size();
  if (pos_ >= n) return token;
  if (text_[pos_] == '<' && pos_ + 1 < n && text_[pos_ + 1] != '<') {
    token.kind = HtmlToken::kTag;
    std::size_t close = text_.find('>', pos_ + 1);
    if (close == std::string_view::npos || close == pos_ + 1) {
      ++pos_;  // an empty tag: what follows the "<" is read as text
      return token;
    }
    std::string_view tag = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    if (!tag.empty() && tag[0] == '/') {
      token.closing = true;
      tag.remove_prefix(1);
    }
    std::size_t nameEnd = tag.find_first_of(" =");
    if (nameEnd == std::string_view::npos) nameEnd = tag.size();
    token.name = std::string(tag.substr(0, nameEnd));
    std::size_t attrStart = tag.find_first_not_of(' ', nameEnd);
    if (attrStart != std::string_view::npos) token.attributes = std::string(tag.substr(attrStart));
    return token;
  }
  token.kind = HtmlToken::kText;
  while (pos_ < n) {
    char c = text_[pos_];
    if (c == '<') {
      if (pos_ + 1 < n && text_[pos_ + 1] == '<') {
        token.text += '<';
        pos_ += 2;
        continue;
      }
      if (pos_ + 1 < n) break;  // a tag starts here
    }
    token.text += c;
    ++pos_;
  }
  return token;
}

HtmlAttributes ParseAttributes(std::string_view text) {
  HtmlAttributes attributes;
  const std::size_t n = text.size();
  std::size_t pos = 0;
  auto skipSpaces = [&] {
    while (pos < n && text[pos] == ' ') ++pos;
  };
  while (pos < n) {
    while (pos < n && !std::isalnum(static_cast<unsigned char>(text[pos])) && text[pos] != '.') ++pos;
    if (pos >= n) break;
    std::size_t nameEnd = text.find_first_of(" =", pos);
    if (nameEnd == std::string_view::npos) nameEnd = n;
    std::string name(text.substr(pos, nameEnd - pos));
    pos = nameEnd;
    skipSpaces();
    std::string value;
    if (pos < n && text[pos] == '=') {
      while (pos < n && (text[pos] == '=' || text[pos] == ' ')) ++pos;
      if (pos < n && (text[pos] == '"' || text[pos] == '\'')) {
        char quote = text[pos];
        std::size_t close = text.find(quote, pos + 1);
        if (close == std::string_view::npos) close = n;
        value = std::string(text.substr(pos + 1, close - pos - 1));
        pos = close < n ? close + 1 : n;
      } else {
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) end = n;
        value = std::string(text.substr(pos, end - pos));
        pos = end;
      }
    }
    attributes.emplace_back(std::move(name), std::move(value));
  }
  return attributes;
}

const std::string* FindAttribute(const HtmlAttributes& attributes, std::string_view name) {
  const std::string* found = nullptr;
  for (const auto& [key, value] : attributes)
    if (key == name) found = &value;
  return found;
}

}  // namespace tessel
