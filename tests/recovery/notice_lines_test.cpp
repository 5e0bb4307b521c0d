#include "recovery/notice_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessel::recovery {
namespace {

// The shown text of each line: tags left out, an entity as one character.
std::vector<std::string> ShownLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 4, "<br>") == 0) {
      lines.emplace_back();
      i += 3;
    } else if (text[i] == '<') {
      i = text.find('>', i);
    } else if (text[i] == '&') {
      lines.back() += '&';
      i = text.find(';', i);
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

std::string WithoutBreaks(std::string text) {
  for (std::size_t at = text.find("<br>"); at != std::string::npos; at = text.find("<br>", at)) text.erase(at, 4);
  return text;
}

TEST(NoticeLines, LongLinesBreakAtSpacesThenAfterSeparatorsNeverInsideATag) {
  const std::string folder = "C:\\Users\\Anna\\Documents\\" + std::string(70, 'd') + "\\" + std::string(120, 'e');
  const std::string notice = "26 messages were written to <a href=\"" + folder + "\">" + folder +
                             "</a>.<br>The report tells what came of each one &amp; why.";
  const std::string broken = BreakNoticeLines(notice, 40);
  EXPECT_EQ(WithoutBreaks(broken), WithoutBreaks(notice)) << "only breaks are added";
  EXPECT_NE(broken.find("<a href=\"" + folder + "\">"), std::string::npos) << "the link's target is whole";
  EXPECT_EQ(
      ShownLines(broken),
      (std::vector<std::string>{"26 messages were written to ", "C:\\Users\\Anna\\Documents\\", std::string(40, 'd'),
                                std::string(30, 'd') + "\\", std::string(40, 'e'), std::string(40, 'e'),
                                std::string(40, 'e'), ".", "The report tells what came of each one ", "& why."}));
  // UTF-8 characters count once and are never split.
  const std::string accented = "Caf\xC3\xA9 " + std::string(3, 'x');
  EXPECT_EQ(BreakNoticeLines(accented, 5), "Caf\xC3\xA9 <br>xxx");
  EXPECT_EQ(BreakNoticeLines("short line", 40), "short line");
}

}  // namespace
}  // namespace tessel::recovery
