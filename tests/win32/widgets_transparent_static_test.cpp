// The transparent label over the wizard's background: a change of text
// repaints the parent under it first, so nothing of the old text stays.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "res/resource.h"
#include "tests/win32/app_test_support.h"

namespace {

// The wizard, counting how often its background is erased.
class CountingWizard : public CRecoveryWizardDlg {
 public:
  int erases = 0;

 protected:
  bool OnEraseBkgnd(HDC dc) override {
    ++erases;
    return CRecoveryWizardDlg::OnEraseBkgnd(dc);
  }
};

class TransparentLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wizard.Create());
    label = &WizardTestAccess::SelectAllLabel(wizard);
    label->SetWindowText("");
    label->ShowWindow(SW_SHOW);
    PumpFor(50);
    area = label->GetWindowRect();
    ::MapWindowPoints(nullptr, wizard.m_hWnd, reinterpret_cast<POINT*>(&area), 2);
  }

  std::vector<std::uint32_t> Pixels() const { return ReadClientPixels(wizard.m_hWnd, area); }

  // Pixels in the columns from `fromColumn` on that differ from `expected`.
  int DifferencesFrom(const std::vector<std::uint32_t>& actual, const std::vector<std::uint32_t>& expected,
                      int fromColumn) const {
    int width = area.right - area.left;
    int differences = 0;
    for (size_t i = 0; i < actual.size(); ++i)
      if (static_cast<int>(i % width) >= fromColumn && actual[i] != expected[i]) ++differences;
    return differences;
  }

  AnsweredDialogs answered;
  CountingWizard wizard;
  CTransparentStatic* label = nullptr;
  RECT area{};
};

TEST_F(TransparentLabelTest, AShorterTextLeavesNoTraceOfTheLongerOne) {
  const std::vector<std::uint32_t> empty = Pixels();
  label->SetWindowText("WWWWWWWWWWWWWWWWWW");
  PumpFor(50);
  const std::vector<std::uint32_t> longText = Pixels();
  ASSERT_GT(DifferencesFrom(longText, empty, 0), 0) << "the long text was not drawn";

  label->SetWindowText("I");
  PumpFor(50);
  // Beyond the first few pixels the label shows only what lies behind it.
  EXPECT_EQ(DifferencesFrom(Pixels(), empty, 12), 0);

  label->SetWindowText("");
  PumpFor(50);
  EXPECT_EQ(DifferencesFrom(Pixels(), empty, 0), 0);
}

TEST_F(TransparentLabelTest, SettingTheSameTextTwiceShowsTheSameResult) {
  label->SetWindowText("Select All");
  PumpFor(50);
  const std::vector<std::uint32_t> once = Pixels();
  label->SetWindowText("Select All");
  PumpFor(50);
  EXPECT_EQ(DifferencesFrom(Pixels(), once, 0), 0);
}

TEST_F(TransparentLabelTest, AnswersTheColourQueryWithATransparentBackground) {
  framework::ClientDC dc(wizard.m_hWnd);
  ::SetBkMode(dc.get(), OPAQUE);
  LRESULT brush = wizard.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                     reinterpret_cast<LPARAM>(label->m_hWnd));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetBkMode(dc.get()), TRANSPARENT);
}

TEST_F(TransparentLabelTest, AHiddenLabelStillRepaintsTheParentUnderIt) {
  label->ShowWindow(SW_HIDE);
  PumpFor(50);
  ::ValidateRect(wizard.m_hWnd, nullptr);
  int erasesBefore = wizard.erases;
  // The parent is erased and updated at once, so nothing is left to paint.
  label->SetWindowText("Select All");
  EXPECT_EQ(wizard.erases, erasesBefore + 1);
  RECT pending{};
  EXPECT_FALSE(::GetUpdateRect(wizard.m_hWnd, &pending, FALSE));
  EXPECT_EQ(label->GetWindowText(), "Select All");
}

}  // namespace
