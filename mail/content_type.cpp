#include "mail/content_type.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "mail/charset_text.h"
#include "mail/encoded_words.h"

namespace tessel::mail {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// One "name=value" or "name*0*=value", before RFC 2231 joins the pieces.
struct RawParameter {
  std::string name;  // without its section and star
  int section = -1;  // -1: not continued
  bool encoded = false;
  std::string value;
};

// Splits the value at the semicolons outside quotes.
std::vector<std::string> SplitParameters(std::string_view raw, std::string& first) {
  std::vector<std::string> pieces(1);
  bool quoted = false;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (quoted && c == '\\' && i + 1 < raw.size()) {
      pieces.back() += c;
      pieces.back() += raw[++i];
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  first = pieces.front();
  pieces.erase(pieces.begin());
  return pieces;
}

std::string Unquoted(std::string_view value) {
  value = Trim(value);
  if (value.size() < 2 || value.front() != '"') return std::string(value);
  std::string out;
  for (std::size_t i = 1; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      out += value[++i];
    } else if (value[i] == '"') {
      break;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

std::string HeaderValue::Parameter(std::string_view name) const {
  for (const auto& [key, value] : parameters) {
    if (key == name) return value;
  }
  return {};
}

HeaderValue ParseHeaderValue(std::string_view raw, CharsetPort& port) {
  HeaderValue out;
  std::string first;
  const std::vector<std::string> pieces = SplitParameters(raw, first);
  out.value = Lower(Trim(first));
  // RFC 2231 pieces by name and section; the rest as they come.
  std::map<std::string, std::map<int, RawParameter>> continued;
  constexpr int kMostSections = 1000;
  for (const std::string& piece : pieces) {
    const std::size_t equals = piece.find('=');
    if (equals == std::string::npos) continue;
    RawParameter parameter;
    std::string name = Lower(Trim(std::string_view(piece).substr(0, equals)));
    if (!name.empty() && name.back() == '*') {
      parameter.encoded = true;
      name.pop_back();
    }
    if (const std::size_t star = name.find('*'); star != std::string::npos) {
      const std::string number = name.substr(star + 1);
      if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos) continue;
      parameter.section = std::stoi(number);
      name.resize(star);
    }
    if (name.empty() || parameter.section >= kMostSections) continue;
    parameter.value = Unquoted(std::string_view(piece).substr(equals + 1));
    parameter.name = name;
    if (parameter.section < 0 && !parameter.encoded) {
      // A plain value; mail programs put encoded words in names, so those are decoded too.
      out.parameters.emplace_back(name, DecodeHeaderText(parameter.value, nullptr, port));
      continue;
    }
    continued[name].emplace(std::max(parameter.section, 0), std::move(parameter));
  }
  std::vector<std::pair<std::string, std::string>> joined;
  for (auto& [name, sections] : continued) {
    std::string bytes;
    Charset charset{kUtf8Page};
    bool known = false;
    for (auto& [section, parameter] : sections) {
      std::string_view value = parameter.value;
      if (section == sections.begin()->first && parameter.encoded) {
        // charset'language'value
        const std::size_t quote = value.find('\'');
        const std::size_t second = quote == std::string_view::npos ? quote : value.find('\'', quote + 1);
        if (second != std::string_view::npos) {
          known = FindCharset(value.substr(0, quote), charset);
          value.remove_prefix(second + 1);
        }
      }
      bytes += parameter.encoded ? PercentDecoded(value) : std::string(value);
    }
    std::string text;
    if (known) {
      AppendInCharset(text, bytes, charset, port);
    } else {
      AppendUndeclared(text, bytes, nullptr, port);
    }
    joined.emplace_back(name, std::move(text));
  }
  // Ahead of a plain parameter of the same name, which is there for older readers.
  out.parameters.insert(out.parameters.begin(), joined.begin(), joined.end());
  return out;
}

}  // namespace tessel::mail
