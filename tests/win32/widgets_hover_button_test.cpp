// The picture link button: its size follows its picture, its tool tip, and
// the hover rule driven by movement messages, and how it shows focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "res/resource.h"
#include "tests/win32/app_test_support.h"

namespace {

class HoverButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wizard.Create());
    PumpFor(50);
  }
  void TearDown() override { ::ReleaseCapture(); }

  LPARAM ClientPoint(int x, int y) const { return MAKELPARAM(x, y); }

  AnsweredDialogs answered;
  CRecoveryWizardDlg wizard;
  CHoverButton& button = WizardTestAccess::Link(wizard, 2);
};

TEST_F(HoverButtonTest, SizeEqualsThePictureWhateverTheTemplateSays) {
  if (!HasPicture(IDB_LINK_HELP)) GTEST_SKIP() << "the link pictures are not linked in (res/art/ incomplete)";
  RECT before = button.GetWindowRect();
  ::MapWindowPoints(nullptr, wizard.m_hWnd, reinterpret_cast<POINT*>(&before), 2);
  // Stretched by hand, then given its picture again.
  button.SetWindowPos(nullptr, 0, 0, 300, 90, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(button.LoadFaceBitmap(IDB_LINK_HELP));
  RECT after = button.GetWindowRect();
  ::MapWindowPoints(nullptr, wizard.m_hWnd, reinterpret_cast<POINT*>(&after), 2);
  EXPECT_EQ(after.right - after.left, 82);
  EXPECT_EQ(after.bottom - after.top, 20);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
}

TEST_F(HoverButtonTest, AMissingPictureLeavesAnEmptyButton) {
  ASSERT_TRUE(button.LoadFaceBitmap(9999));
  EXPECT_EQ(button.GetFaceSize().cx, 0);
  RECT rect = button.GetWindowRect();
  EXPECT_EQ(rect.right - rect.left, 0);
}

TEST_F(HoverButtonTest, TipTextIsRegisteredOnceAndUpdated) {
  button.SetTipText("first", true);
  button.SetTipText("second", true);
  button.SetTipText(nullptr, true);
  EXPECT_EQ(button.GetToolTip().GetToolCount(), 1);
  EXPECT_EQ(button.GetToolTip().GetToolText(button.m_hWnd, 1), "second");
}

TEST_F(HoverButtonTest, FocusShowsAsAFrameInsideThePictureUnlessTheWindowHidesFocus) {
  if (!HasPicture(IDB_LINK_HELP)) GTEST_SKIP() << "the link pictures are not linked in (res/art/ incomplete)";
  const SIZE face = button.GetFaceSize();
  // The button's drawing of one item state, read back as pixels.
  auto draw = [&](UINT state) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), face.cx, -face.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP target = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, target);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button.m_hWnd;
    item.hDC = dc;
    item.rcItem = {0, 0, face.cx, face.cy};
    LRESULT result = 0;
    button.OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), &result);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> copy(pixels, pixels + face.cx * face.cy);
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
    return copy;
  };
  const std::vector<std::uint32_t> plain = draw(0);
  const std::vector<std::uint32_t> focused = draw(ODS_FOCUS);
  EXPECT_EQ(draw(ODS_FOCUS | ODS_NOFOCUSRECT), plain);
  // Only pixels on the frame one pixel inside the edge change, and enough of them to see.
  int changed = 0;
  for (int y = 0; y < face.cy; ++y)
    for (int x = 0; x < face.cx; ++x) {
      const size_t at = static_cast<size_t>(y * face.cx + x);
      if (focused[at] == plain[at]) continue;
      ++changed;
      const bool onFrame = x == 1 || y == 1 || x == face.cx - 2 || y == face.cy - 2;
      EXPECT_TRUE(onFrame) << x << "," << y;
    }
  EXPECT_GT(changed, face.cx);
}

TEST_F(HoverButtonTest, MovingOntoTheButtonTakesCaptureAndHovers) {
  button.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(2, 2));
  EXPECT_TRUE(button.IsHovering());
  EXPECT_EQ(::GetCapture(), button.m_hWnd);
}

TEST_F(HoverButtonTest, DraggingOntoTheButtonWithTheLeftButtonHeldDoesNotHover) {
  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(2, 2));
  EXPECT_FALSE(button.IsHovering());
  EXPECT_NE(::GetCapture(), button.m_hWnd);
}

TEST_F(HoverButtonTest, MovingOntoAnotherWindowClearsHoverAndReleasesCapture) {
  button.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(2, 2));
  ASSERT_EQ(::GetCapture(), button.m_hWnd);
  // A point over the wizard, far below the link row.
  RECT wizardRect = wizard.GetWindowRect();
  POINT outside{wizardRect.left + 20, wizardRect.top + 300};
  ::ScreenToClient(button.m_hWnd, &outside);
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(outside.x, outside.y));
  EXPECT_FALSE(button.IsHovering());
  EXPECT_NE(::GetCapture(), button.m_hWnd);
}

TEST_F(HoverButtonTest, ReleasingOutsideAfterAPressKeepsCaptureUntilTheNextMove) {
  button.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(2, 2));
  ASSERT_TRUE(button.IsHovering());
  RECT wizardRect = wizard.GetWindowRect();
  POINT outside{wizardRect.left + 20, wizardRect.top + 300};
  ::ScreenToClient(button.m_hWnd, &outside);
  // Left button held: hover goes, capture stays.
  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
  EXPECT_FALSE(button.IsHovering());
  EXPECT_EQ(::GetCapture(), button.m_hWnd);
  // Released: the next movement lets go.
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(outside.x, outside.y));
  EXPECT_NE(::GetCapture(), button.m_hWnd);
}

TEST_F(HoverButtonTest, TheTimerClearsHoverOnceThePointerIsOutside) {
  button.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(2, 2));
  ASSERT_TRUE(button.IsHovering());
  RECT rect = button.GetWindowRect();
  // The timer looks at where the pointer was when its message was posted.
  ::SetCursorPos(rect.left + 1, rect.top + 1);
  ::PostMessageA(button.m_hWnd, WM_TIMER, 1, 0);
  PumpFor(20);
  EXPECT_TRUE(button.IsHovering());
  ::SetCursorPos(rect.right + 200, rect.bottom + 200);
  ::PostMessageA(button.m_hWnd, WM_TIMER, 1, 0);
  PumpFor(20);
  EXPECT_FALSE(button.IsHovering());
}

TEST_F(HoverButtonTest, SetCursorAnswersWithTheLinkCursor) {
  ASSERT_TRUE(button.HasLinkCursor());
  EXPECT_EQ(button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, 0)), TRUE);
}

}  // namespace
