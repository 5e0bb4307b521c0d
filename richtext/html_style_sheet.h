#pragma once
// The style sheet of a rich text: rules of a selector and a body in braces,
// kept by lower-cased selector. Tags, link states, classes and rules apply
// the bodies to the current style (html_style_rules.h).
#include <map>
#include <string>
#include <string_view>

namespace tessel {

// The sheet a drawer starts with, one rule per line.
extern const char* const kDefaultStyleSheet;

class HtmlStyleSheet {
 public:
  HtmlStyleSheet() { Set(nullptr); }

  // Replaces every rule with those of the text; null loads the default sheet.
  void Set(const char* text);
  // The body of the rule for a selector (looked up in lower case); null if none.
  const std::string* Find(std::string_view selector) const;
  const std::map<std::string, std::string>& Rules() const { return rules_; }

 private:
  std::map<std::string, std::string> rules_;
};

std::string ToLower(std::string_view text);

}  // namespace tessel
