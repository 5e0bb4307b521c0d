// Links: areas, the hover index and its notifications, the cursor and clicks.
#include <gtest/gtest.h>

#include "richtext/html_drawer.h"
#include "tests/richtext/html_test_ports.h"
#include "tests/richtext/html_test_surface.h"

namespace tessel {
namespace {

WindowHandle FakeWindow(int n) { return reinterpret_cast<WindowHandle>(static_cast<std::intptr_t>(n)); }

class HtmlLinksTest : public ::testing::Test {
 protected:
  HtmlLinksTest() {
    drawer.BindHost(FakeWindow(1), 0x8064, 77);
    drawer.BindMessageLinks(FakeWindow(2), 0x401, 88);
    windows->textMessage = 0x401;
  }
  void Draw(std::string_view text) {
    drawer.Measure(surface, text);
    drawer.Draw(surface, {10, 5, 200, 100});
  }
  TestPorts ports;
  std::shared_ptr<RecordingWindowMessagePort> windows = ports.windowMessages;
  std::shared_ptr<RecordingShellPort> shell = ports.shell;
  HtmlDrawer drawer{ports.Platform()};
  RecordingSurface surface;
};

TEST_F(HtmlLinksTest, AreasOfLinkPieces) {
  Draw("ab<a href=http://x>cd</a>e<a>f</a>");
  ASSERT_EQ(drawer.LinkAreas().size(), 2u);
  const LinkArea& first = drawer.LinkAreas()[0];
  EXPECT_EQ(first.rect, (Rect{10 + 12, 5, 10 + 24, 5 + 13}));
  EXPECT_EQ(first.kind, kLinkShell);
  EXPECT_EQ(first.index, 0);
  EXPECT_EQ(first.target, "http://x");
  EXPECT_EQ(drawer.LinkAreas()[1].kind, kLinkMessage);
  EXPECT_EQ(drawer.LinkAreas()[1].index, 1);
  EXPECT_EQ(surface.Find("cd")->color, MakeColor(0, 0, 255));  // "a:link"
  EXPECT_FALSE(surface.Find("cd")->font.underline);
}

TEST_F(HtmlLinksTest, LastOfHrefAndMsgWins) {
  Draw("<a href=page msg=note>x</a><a msg=note href=page>y</a>");
  EXPECT_EQ(drawer.LinkAreas()[0].kind, kLinkMessage);
  EXPECT_EQ(drawer.LinkAreas()[0].target, "note");
  EXPECT_EQ(drawer.LinkAreas()[1].kind, kLinkShell);
}

TEST_F(HtmlLinksTest, HoverNotifiesOncePerChangeAndLeavesOnce) {
  Draw("<a msg=one>aaaa</a>  <a msg=two>bbbb</a>");
  EXPECT_EQ(drawer.HoverIndex(), HtmlDrawer::kNoHover);
  EXPECT_TRUE(drawer.SetCursorForPoint({12, 8}));
  EXPECT_TRUE(drawer.SetCursorForPoint({20, 10}));  // same link: no message
  ASSERT_EQ(windows->sent.size(), 1u);
  EXPECT_EQ(windows->sent[0].window, FakeWindow(1));
  EXPECT_EQ(windows->sent[0].message, 0x8064u);
  EXPECT_EQ(windows->sent[0].wParam, 0);
  EXPECT_EQ(windows->sent[0].lParam, 77);
  EXPECT_TRUE(drawer.SetCursorForPoint({10 + 36, 5 + 13}));  // corners count
  ASSERT_EQ(windows->sent.size(), 2u);
  EXPECT_EQ(windows->sent[1].wParam, 1);
  EXPECT_FALSE(drawer.SetCursorForPoint({5, 50}));
  EXPECT_FALSE(drawer.SetCursorForPoint({6, 50}));
  ASSERT_EQ(windows->sent.size(), 3u);
  EXPECT_EQ(windows->sent[2].wParam, HtmlDrawer::kNoHover);
}

TEST_F(HtmlLinksTest, HoveredLinkIsDrawnWithTheHoverRule) {
  Draw("<a msg=one>aaaa</a>");
  drawer.SetCursorForPoint({12, 8});
  surface.runs.clear();
  drawer.Draw(surface, {10, 5, 200, 100});
  EXPECT_TRUE(surface.Find("aaaa")->font.underline);
}

TEST_F(HtmlLinksTest, EmptyTargetsSetNoCursorAndDoNothing) {
  Draw("<a>aaaa</a>");
  EXPECT_FALSE(drawer.SetCursorForPoint({12, 8}));
  EXPECT_EQ(windows->sent.size(), 1u);  // the hover change is still told
  drawer.Click({12, 8});
  EXPECT_EQ(windows->sent.size(), 1u);
  EXPECT_TRUE(shell->opened.empty());
}

TEST_F(HtmlLinksTest, MessageLinksAreSentWithTheirTarget) {
  Draw("<a msg=note>aaaa</a>");
  drawer.Click({12, 8});
  ASSERT_EQ(windows->sent.size(), 1u);
  EXPECT_EQ(windows->sent[0].window, FakeWindow(2));
  EXPECT_EQ(windows->sent[0].text, "note");
  EXPECT_EQ(windows->sent[0].lParam, 88);
  drawer.Click({100, 80});
  EXPECT_EQ(windows->sent.size(), 1u);
}

TEST_F(HtmlLinksTest, ShellLinksFallBackToTheHtmHandler) {
  Draw("<a href=\"http://example.invalid/\">aaaa</a>");
  drawer.Click({12, 8});
  EXPECT_EQ(shell->opened, std::vector<std::string>{"http://example.invalid/"});
  EXPECT_TRUE(shell->run.empty());

  shell->openResult = 2;
  shell->registry = {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "\"C:\\b.exe\" -nohome \"%1\" -x"}};
  drawer.Click({12, 8});
  EXPECT_EQ(shell->run, std::vector<std::string>{"\"C:\\b.exe\" -nohome  http://example.invalid/"});

  shell->registry[1].second = "C:\\b.exe %1";
  drawer.Click({12, 8});
  EXPECT_EQ(shell->run.back(), "C:\\b.exe  http://example.invalid/");

  shell->registry.pop_back();  // no command: nothing more happens
  drawer.Click({12, 8});
  EXPECT_EQ(shell->run.size(), 2u);
}

TEST_F(HtmlLinksTest, UnboundHostIsNotTold) {
  drawer.BindHost(nullptr, 5, 6);
  Draw("<a msg=x>aaaa</a>");
  drawer.SetCursorForPoint({12, 8});
  EXPECT_TRUE(windows->sent.empty());
  EXPECT_EQ(drawer.HoverIndex(), 0);
}

}  // namespace
}  // namespace tessel
