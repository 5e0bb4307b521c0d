// Markup: entities, preparation, tokens and attributes.
#include <gtest/gtest.h>

#include "richtext/html_markup.h"

namespace tessel {
namespace {

std::vector<std::string> Tokens(std::string_view text) {
  std::vector<std::string> out;
  HtmlTokenizer reader(text);
  for (HtmlToken t = reader.Next(); t.kind != HtmlToken::kEnd; t = reader.Next()) {
    if (t.kind == HtmlToken::kText)
      out.push_back("'" + t.text + "'");
    else
      out.push_back(std::string("<") + (t.closing ? "/" : "") + t.name + "|" + t.attributes + ">");
  }
  return out;
}

TEST(HtmlMarkupTest, EntitiesInStorageOrder) {
  HtmlEntities entities;
  EXPECT_EQ(entities.Map().begin()->first, "&amp;");
  EXPECT_EQ(entities.Map().size(), 13u);
  EXPECT_EQ(entities.Prepare("&lt;b&gt;", true), "<body><<b></body>");
  EXPECT_EQ(entities.Prepare("&amp;lt;", true), "<body><<</body>");  // "&amp;" goes first
  EXPECT_EQ(entities.Prepare("&euro;&copy;&unknown;", true), "<body>ˆ©&unknown;</body>");
  // UTF-8 characters, as the surfaces draw them.
  EXPECT_EQ(entities.Prepare("&bull;&iquest;&para;&pound;&reg;&trade;&quot;&nbsp;", true), "<body>•¿¶£®™\" </body>");
}

TEST(HtmlMarkupTest, PreparationOfLineFeedsTabsAndReturns) {
  HtmlEntities entities;
  EXPECT_EQ(entities.Prepare("a\r\nb\tc", true), "<body>a<br>b<t>c</body>");
  EXPECT_EQ(entities.Prepare("a\r\nb\tc", false), "<body>abc</body>");
}

TEST(HtmlMarkupTest, DoubledAngleIsALiteralAndTagsSplitRuns) {
  EXPECT_EQ(Tokens("a<<b"), (std::vector<std::string>{"'a<b'"}));
  EXPECT_EQ(Tokens("<<b>x"), (std::vector<std::string>{"'<b>x'"}));
  EXPECT_EQ(Tokens("a<b>c</b>"), (std::vector<std::string>{"'a'", "<b|>", "'c'", "</b|>"}));
  EXPECT_EQ(Tokens("x<"), (std::vector<std::string>{"'x<'"}));
}

TEST(HtmlMarkupTest, EmptyAndUnterminatedTagsReadOnAsText) {
  EXPECT_EQ(Tokens("a<>b"), (std::vector<std::string>{"'a'", "<|>", "'>b'"}));
  EXPECT_EQ(Tokens("a<b c"), (std::vector<std::string>{"'a'", "<|>", "'b c'"}));
}

TEST(HtmlMarkupTest, TagNameEndsAtSpaceOrEquals) {
  EXPECT_EQ(Tokens("<br=3>"), (std::vector<std::string>{"<br|=3>"}));
  EXPECT_EQ(Tokens("<br   3>"), (std::vector<std::string>{"<br|3>"}));
  EXPECT_EQ(Tokens("</font size=2>"), (std::vector<std::string>{"</font|size=2>"}));
}

TEST(HtmlMarkupTest, Attributes) {
  HtmlAttributes a = ParseAttributes("face='Courier New' size = = 3 color=\"#ff0000\" bare  style=b-i");
  ASSERT_EQ(a.size(), 5u);
  EXPECT_EQ(a[0], (std::pair<std::string, std::string>{"face", "Courier New"}));
  EXPECT_EQ(a[1], (std::pair<std::string, std::string>{"size", "3"}));
  EXPECT_EQ(a[2], (std::pair<std::string, std::string>{"color", "#ff0000"}));
  EXPECT_EQ(a[3], (std::pair<std::string, std::string>{"bare", ""}));
  EXPECT_EQ(a[4], (std::pair<std::string, std::string>{"style", "b-i"}));
  HtmlAttributes unterminated = ParseAttributes("href=\"http://x");
  ASSERT_EQ(unterminated.size(), 1u);
  EXPECT_EQ(unterminated[0].second, "http://x");
  HtmlAttributes both = ParseAttributes("href=a msg=b href=c");
  EXPECT_EQ(*FindAttribute(both, "href"), "c");
  EXPECT_EQ(FindAttribute(both, "none"), nullptr);
}

TEST(HtmlMarkupTest, TagTable) {
  HtmlTagTable tags;
  EXPECT_EQ(tags.Find("em")->styleName, "italic");
  EXPECT_EQ(tags.Find("bottom")->code, kTagBottom);
  EXPECT_EQ(tags.Find("bottom")->styleName, "vcenter");
  EXPECT_EQ(tags.Find("h6")->code, kTagSheetRule);
  EXPECT_EQ(tags.Find("\n")->code, kTagBreak);
  EXPECT_EQ(tags.Find("B"), nullptr);  // tag names are case-sensitive
  tags.Set("B", kTagBold, "bold");
  EXPECT_EQ(tags.Find("B")->code, kTagBold);
}

}  // namespace
}  // namespace tessel
