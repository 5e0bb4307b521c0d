#pragma once
// The markup of the rich text: entities, the preparation of a text before each
// pass, the tag table, and the reader that cuts a prepared text into text runs
// and tags with their attributes.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessel {

enum HtmlTagCode {
  kTagNone = 0,
  kTagBold = 1,
  kTagItalic = 2,
  kTagUnderline = 3,
  kTagStrikeOut = 4,
  kTagFont = 5,
  kTagRule = 6,
  kTagBreak = 7,
  kTagTab = 8,
  kTagLeft = 9,
  kTagCenter = 10,
  kTagRight = 11,
  kTagJustify = 12,
  kTagBaseline = 13,
  kTagTop = 14,
  kTagVCenter = 15,
  kTagBottom = 16,
  kTagBitmap = 17,
  kTagIcon = 18,
  kTagImageList = 19,
  kTagString = 20,
  kTagSheetRule = 21,
  kTagSpan = 22,
  kTagLink = 23,
};

struct HtmlTagInfo {
  int code = kTagNone;
  std::string styleName;  // empty for object tags
};

// Entity text to replacement, replaced in the map's (byte) order, so "&amp;"
// goes first.
class HtmlEntities {
 public:
  HtmlEntities();
  const std::map<std::string, std::string>& Map() const { return map_; }

  // Entities replaced, carriage returns removed, line feeds and tabs made into
  // "<br>" and "<t>" (or removed when they are not markup), and the whole
  // wrapped in a body tag.
  std::string Prepare(std::string_view source, bool lineFeedsAreMarkup) const;

 private:
  std::map<std::string, std::string> map_;
};

class HtmlTagTable {
 public:
  HtmlTagTable();
  void Set(const std::string& name, int code, const std::string& styleName) { map_[name] = {code, styleName}; }
  const HtmlTagInfo* Find(std::string_view name) const;

 private:
  std::map<std::string, HtmlTagInfo, std::less<>> map_;
};

struct HtmlToken {
  enum Kind { kEnd, kText, kTag } kind = kEnd;
  std::string text;        // the run's characters ("<<" already made "<")
  bool closing = false;    // a tag written with "/"
  std::string name;        // tag name; empty for an empty tag
  std::string attributes;  // attribute text, leading spaces removed
};

// Reads a prepared text from left to right as alternating runs and tags.
class HtmlTokenizer {
 public:
  explicit HtmlTokenizer(std::string_view text) : text_(text) {}
  HtmlToken Next();
  std::size_t Position() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

using HtmlAttributes = std::vector<std::pair<std::string, std::string>>;

// The name="value" pairs of an attribute text, in order; a name without "="
// has an empty value.
HtmlAttributes ParseAttributes(std::string_view text);
// The value of the last attribute with this name; null when absent.
const std::string* FindAttribute(const HtmlAttributes& attributes, std::string_view name);

}  // namespace tessel
