#include "richtext/html_style_sheet.h"

#include <cctype>

namespace tessel {

const char* const kDefaultStyleSheet =
    "body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
    "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
    "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
    "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
    "code {color:#990000; font-family:Arial}\r\n"
    "a:link {text-decoration:none; color:blue}\r\n"
    "a:hover {text-decoration:underline; color:blue}\r\n"
    "sub {font-size:65%; vertical-align:bottom}\r\n"
    "sup {font-size:65%; vertical-align:top}\r\n"
    "big {font-size:125%}\r\n"
    "small {font-size:75%}\r\n"
    ".cpp-comment {color:green; font-style:italic}\r\n";

std::string ToLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

void HtmlStyleSheet::Set(const char* text) {
  rules_.clear();
  std::string_view sheet = text ? text : kDefaultStyleSheet;
  std::size_t pos = 0;
  while (pos < sheet.size()) {
    while (pos < sheet.size() && !std::isalnum(static_cast<unsigned char>(sheet[pos])) && sheet[pos] != '.') ++pos;
    if (pos >= sheet.size()) break;
    std::size_t selectorEnd = sheet.find_first_of(" {", pos);
    if (selectorEnd == std::string_view::npos) break;
    std::string selector = ToLower(sheet.substr(pos, selectorEnd - pos));
    std::size_t open = sheet.find('{', selectorEnd);
    if (open == std::string_view::npos) break;
    std::size_t close = sheet.find('}', open + 1);
    if (close == std::string_view::npos) break;
    rules_[selector] = std::string(sheet.substr(open + 1, close - open - 1));
    pos = close + 1;
  }
}

const std::string* HtmlStyleSheet::Find(std::string_view selector) const {
  auto found = rules_.find(ToLower(selector));
  return found == rules_.end() ? nullptr : &found->second;
}

}  // namespace tessel
