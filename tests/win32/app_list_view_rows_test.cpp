// The scan's rows and progress shown by the wizard's controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "app/list_view_rows.h"
#include "recovery/row_batch.h"
#include "win32_base/wide_path.h"
#include "tests/win32/app_test_support.h"

namespace {

class ListViewRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wizard.Create()); }

  AnsweredDialogs answered;
  CRecoveryWizardDlg wizard;
};

TEST_F(ListViewRowsTest, BatchesOfRowsReachTheListControlInOrder) {
  ListViewSink sink(WizardTestAccess::List(wizard));
  WizardTestAccess::List(wizard).SetScanMode(tessel::ScanMode::kUsual);
  {
    tessel::recovery::RowBatch rows(sink, 2);
    tessel::MessageRow row;
    for (const char* from : {"first", "second", "Отчёт 報告"}) {
      row.cells = {from, "subject", "to", "date"};
      row.record = {std::string_view(from) == "second" ? 1234 : 0, 5000000000LL};
      rows.AddMessage(row);
    }
    EXPECT_EQ(WizardTestAccess::List(wizard).RowCount(), 2);  // the third comes with the next batch
  }
  EXPECT_EQ(WizardTestAccess::List(wizard).RowCount(), 3);
  EXPECT_EQ(WizardTestAccess::List(wizard).GetItemText(0, 0), "first");
  // The hidden cells show the record's numbers, 64-bit ones too.
  EXPECT_EQ(WizardTestAccess::List(wizard).GetItemText(1, 4), "1234");
  EXPECT_EQ(WizardTestAccess::List(wizard).GetItemText(1, 5), "5000000000");
  // Message cells are UTF-8, asked for in UTF-16: any script shows, whatever the code page.
  wchar_t text[64] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 64;
  WizardTestAccess::List(wizard).SendMessage(LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(tessel::Utf8OfWide(text), "Отчёт 報告");
}

TEST_F(ListViewRowsTest, ProgressBeyondThe32BitRangeIsScaledIntoIt) {
  ProgressBarControl progress(WizardTestAccess::Progress(wizard));
  progress.SetRange(1000);
  progress.SetPosition(250);
  EXPECT_EQ(WizardTestAccess::Progress(wizard).GetPos(), 250);

  const std::int64_t huge = std::int64_t{6} * 1024 * 1024 * 1024;  // a 6 GiB store
  progress.SetRange(huge);
  PBRANGE range{};
  WizardTestAccess::Progress(wizard).SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  EXPECT_GT(range.iHigh, 0);
  progress.SetPosition(huge / 2);
  EXPECT_NEAR(static_cast<double>(WizardTestAccess::Progress(wizard).GetPos()) / range.iHigh, 0.5, 0.01);
  progress.SetPosition(huge);
  EXPECT_EQ(WizardTestAccess::Progress(wizard).GetPos(), range.iHigh);
}

}  // namespace
