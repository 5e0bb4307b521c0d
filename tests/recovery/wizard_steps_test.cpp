#include "recovery/wizard_steps.h"

#include <gtest/gtest.h>

namespace tessel::recovery {
namespace {

// The controls as the fields list them: choose step, Proceed enabled, list,
// progress, Stop, Back, Save, instruction, inputs.
constexpr WizardControls kChoosing{true, true, false, false, false, false, false, false};
constexpr WizardControls kScanning{false, false, true, true, true, false, false, true};
constexpr WizardControls kStopping{false, false, true, true, false, true, false, true};
constexpr WizardControls kScanned{false, true, true, false, false, true, true, true};
constexpr WizardControls kPreviewing{false, true, true, false, true, false, true, true};
constexpr WizardControls kChoosingWhileAStoppedScanEnds{true, false, false, false, false, false, false, false};
constexpr WizardControls kExporting{false, false, false, true, true, false, false, true, true};
constexpr WizardControls kExportStopping{false, false, false, true, false, false, false, true, true};
constexpr WizardControls kExported{false, true, false, false, false, true, false, true, true};

TEST(WizardSteps, AScanRunsToItsEndAndBackReturnsToTheChooseStep) {
  WizardSteps steps;
  EXPECT_EQ(steps.Controls(), kChoosing);
  EXPECT_FALSE(steps.Back());
  ASSERT_TRUE(steps.Proceed());
  EXPECT_EQ(steps.Controls(), kScanning);
  EXPECT_FALSE(steps.MaySave());
  EXPECT_FALSE(steps.Back());
  EXPECT_FALSE(steps.Proceed());  // a second worker never starts
  steps.ScanEnded();
  EXPECT_EQ(steps.Controls(), kScanned);
  EXPECT_FALSE(steps.Stop());  // nothing to stop
  ASSERT_TRUE(steps.Back());
  EXPECT_EQ(steps.Controls(), kChoosing);
  EXPECT_TRUE(steps.MayProceed());
}

TEST(WizardSteps, AStoppedScanMayBeLeftWithBackButBlocksProceedUntilItsWorkerEnds) {
  WizardSteps steps;
  steps.Proceed();
  ASSERT_TRUE(steps.Stop());
  EXPECT_EQ(steps.Controls(), kStopping);
  EXPECT_FALSE(steps.Stop());  // asked once
  ASSERT_TRUE(steps.Back());
  EXPECT_EQ(steps.Controls(), kChoosingWhileAStoppedScanEnds);
  EXPECT_FALSE(steps.Proceed());
  steps.ScanEnded();  // over the choose step: only Proceed is freed
  EXPECT_EQ(steps.Controls(), kChoosing);
}

TEST(WizardSteps, AStopAnsweredAfterTheScanEndedChangesNothing) {
  WizardSteps steps;
  steps.Proceed();
  ASSERT_TRUE(steps.MayStop());  // the question goes up...
  steps.ScanEnded();             // ...the scan ends under it...
  EXPECT_FALSE(steps.Stop());    // ...and the answer is harmless
  EXPECT_EQ(steps.Controls(), kScanned);
}

TEST(WizardSteps, AFolderExportIsWaitedForAfterItsStopAndNeverOffersSave) {
  WizardSteps steps;
  ASSERT_TRUE(steps.ProceedFolderExport());
  EXPECT_EQ(steps.Controls(), kExporting);
  EXPECT_FALSE(steps.Proceed());
  EXPECT_FALSE(steps.ProceedFolderExport());
  EXPECT_FALSE(steps.Back());
  ASSERT_TRUE(steps.Stop());
  // Its unfinished file is being removed: no Back until the worker says what it kept.
  EXPECT_EQ(steps.Controls(), kExportStopping);
  EXPECT_FALSE(steps.Back());
  EXPECT_FALSE(steps.MayProceed());
  steps.ScanEnded();
  EXPECT_EQ(steps.Controls(), kExported);
  EXPECT_FALSE(steps.MaySave());  // the hidden list of an earlier scan is not this step's
  EXPECT_FALSE(steps.Stop());
  ASSERT_TRUE(steps.Back());
  EXPECT_EQ(steps.Controls(), kChoosing);
  ASSERT_TRUE(steps.Proceed());  // a scan may follow
  EXPECT_EQ(steps.Controls(), kScanning);
}

TEST(WizardSteps, APreviewShowsStopInBacksPlaceOnlyOverFinishedResults) {
  WizardSteps steps;
  EXPECT_FALSE(steps.BeginPreview());  // the choose step has no rows
  steps.Proceed();
  EXPECT_FALSE(steps.BeginPreview());  // nor while the worker fills them
  steps.ScanEnded();
  ASSERT_TRUE(steps.BeginPreview());
  EXPECT_EQ(steps.Controls(), kPreviewing);
  EXPECT_FALSE(steps.Back());
  EXPECT_FALSE(steps.Stop());  // shown, but nothing runs to stop
  EXPECT_FALSE(steps.BeginPreview());
  steps.EndPreview();
  EXPECT_EQ(steps.Controls(), kScanned);
  ASSERT_TRUE(steps.Back());
}

}  // namespace
}  // namespace tessel::recovery
