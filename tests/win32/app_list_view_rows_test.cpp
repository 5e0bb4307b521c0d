// The engine's list and progress bar answered by the wizard's controls, and
// the scan context wired to the shared scan state.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/list_view_rows.h"
#include "app/scan_state.h"
#include "tests/win32/app_test_support.h"

namespace {

class ListViewRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wizard.Create()); }

  AnsweredDialogs answered;
  CRecoveryWizardDlg wizard;
};

TEST_F(ListViewRowsTest, RowsAndCellsGoToTheListControl) {
  ListViewRows rows(wizard.m_lstRecovered);
  EXPECT_EQ(rows.AppendRow("first"), 0);
  EXPECT_EQ(rows.AppendRow("second"), 1);
  rows.InsertRowAtTop("top");
  rows.SetCell(2, 1, "Subject of the second");
  rows.SetCell(2, 5, "1234");
  EXPECT_EQ(rows.RowCount(), 3);
  EXPECT_EQ(rows.GetCell(0, 0), "top");
  EXPECT_EQ(rows.GetCell(2, 0), "second");
  EXPECT_EQ(rows.GetCell(2, 1), "Subject of the second");
  EXPECT_EQ(rows.GetCell(2, 5), "1234");
  // The last rows reach the control in one batch.
  rows.Flush();
  EXPECT_EQ(wizard.m_lstRecovered.GetItemText(2, 5), "1234");
  rows.DeleteRow(0);
  EXPECT_EQ(rows.RowCount(), 2);
  EXPECT_EQ(rows.GetCell(0, 0), "first");
  // A row that does not exist reads empty and takes no cells.
  rows.SetCell(9, 1, "nowhere");
  EXPECT_EQ(rows.GetCell(9, 1), "");
}

TEST_F(ListViewRowsTest, ProgressBeyondThe32BitRangeIsScaledIntoIt) {
  ProgressBarControl progress(wizard.m_prgScan);
  progress.SetRange(1000);
  progress.SetPosition(250);
  EXPECT_EQ(wizard.m_prgScan.GetPos(), 250);

  const std::int64_t huge = std::int64_t{6} * 1024 * 1024 * 1024;  // a 6 GiB store
  progress.SetRange(huge);
  PBRANGE range{};
  wizard.m_prgScan.SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  EXPECT_GT(range.iHigh, 0);
  progress.SetPosition(huge / 2);
  EXPECT_NEAR(static_cast<double>(wizard.m_prgScan.GetPos()) / range.iHigh, 0.5, 0.01);
  progress.SetPosition(huge);
  EXPECT_EQ(wizard.m_prgScan.GetPos(), range.iHigh);
}

TEST_F(ListViewRowsTest, TheScanContextIsTheSharedScanState) {
  ListViewRows rows(wizard.m_lstRecovered);
  ProgressBarControl progress(wizard.m_prgScan);
  tessel::ScanContext context = WizardScanContext(rows, progress);
  context.stopRequested = 1;
  context.storeFile = "C:\\mail\\Inbox.imm";
  EXPECT_EQ(g_bStopRequested, 1);
  EXPECT_EQ(g_strStoreFile, "C:\\mail\\Inbox.imm");
  EXPECT_EQ(&context.openSourceFile, &g_SourceFile);
  EXPECT_EQ(&context.list, &rows);
  g_bStopRequested = 0;
  g_strStoreFile.clear();
}

}  // namespace
