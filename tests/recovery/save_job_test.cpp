// Save: the checked rows written into a folder, never over a file; Cancel
// stops after the file being written; the first file that cannot be made
// stops the save with its name and reason; and the words at its end.
#include "recovery/save_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/path_join.h"
#include "recovery/save_notice.h"
#include "recovery/save_progress.h"
#include "tests/support/scratch_folder.h"

namespace tessel::recovery {
namespace {

const exporting::CodePage& Page(int number) { return *exporting::FindCodePage(number); }
void NoProgress(size_t, const CellRow&) {}

// Three records of a store whose bytes are their numbers' letters.
class SaveJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store = scratch.Write("Inbox.imm", std::string(10, 'a') + std::string(20, 'b') + std::string(30, 'c'));
    job.folder = scratch.Root();
    job.prefix = "Mail";
    job.storeFile = store;
    job.rows = {0, 4, 9};
    for (const MessageRecord record : {MessageRecord{0, 10}, {10, 20}, {30, 30}})
      job.messages.push_back({record, Origin::kIndex, {}, {"from", "", "", ""}});
  }
  testing::ScratchFolder scratch;
  std::string store;
  SaveJob job;
};

TEST_F(SaveJobTest, MessagesAreNamedByTheirRowAndNeverOverwriteAFile) {
  scratch.Write("Mail0005.eml", "kept");
  std::vector<size_t> told;
  const SaveOutcome saved = RunSaveJob(job, Page(1252), [&](size_t index, const CellRow& cells) {
    told.push_back(index);
    EXPECT_EQ(cells[0], "from");
  });
  EXPECT_EQ(told, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(saved.written, 3);
  EXPECT_FALSE(saved.LostAnything());
  ASSERT_EQ(saved.files.size(), 3u);
  EXPECT_EQ(saved.files[1], JoinPath(scratch.Root(), "Mail0005 (2).eml"));
  EXPECT_EQ(scratch.Read("Mail0001.eml"), std::string(10, 'a'));
  EXPECT_EQ(scratch.Read("Mail0005.eml"), "kept");
  EXPECT_EQ(scratch.Read("Mail0005 (2).eml"), std::string(20, 'b'));
  EXPECT_EQ(scratch.Read("Mail0010.eml"), std::string(30, 'c'));
}

TEST_F(SaveJobTest, CancelStopsAfterTheCurrentFileAndAFailureNamesTheFile) {
  const SaveOutcome cancelled = RunSaveJob(job, Page(1252), [&](size_t index, const CellRow&) {
    if (index == 1) job.cancelRequested = 1;
  });
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.written, 2);
  EXPECT_FALSE(std::filesystem::exists(scratch.Path("Mail0010.eml")));

  job.cancelRequested = 0;
  job.folder = scratch.Path("missing");
  SaveOutcome failed = RunSaveJob(job, Page(1252), NoProgress);
  EXPECT_EQ(failed.written, 0);
  EXPECT_EQ(failed.failedFile, JoinPath(job.folder, "Mail0001.eml"));
  EXPECT_FALSE(failed.reason.empty());
  EXPECT_TRUE(failed.LostAnything());

  job.folder = scratch.Root();
  job.storeFile = scratch.Path("Missing.imm");
  job.prefix = "Other";
  failed = RunSaveJob(job, Page(1252), NoProgress);
  EXPECT_EQ(failed.written, 0);
  EXPECT_EQ(failed.reason, "the message store " + job.storeFile + " cannot be read");
  // The file begun for it is gone again.
  EXPECT_FALSE(std::filesystem::exists(failed.failedFile));
}

TEST_F(SaveJobTest, ARecordPastTheStoresEndIsKeptCutShortAndSaidSo) {
  job.rows = {0};
  job.messages = {{MessageRecord{50, 40}, Origin::kStore, {}, {}}};
  const SaveOutcome saved = RunSaveJob(job, Page(1252), NoProgress);
  EXPECT_EQ(saved.written, 1);
  EXPECT_EQ(saved.cutShort, 1);
  EXPECT_TRUE(saved.LostAnything());
  EXPECT_EQ(scratch.Read("Mail0001.eml"), std::string(10, 'c'));
  EXPECT_EQ(DescribeSaveEnd(saved, "<a>F</a>"), "1 file written to <a>F</a>; 1 cut short where the store ends.");
}

// The vCards are UTF-8 of the code page given: the job itself asks no system for it.
TEST_F(SaveJobTest, ContactsGoToOneTextFileAndOneVCardFileWithoutBlankRecords) {
  job.contacts = true;
  job.rows = {0, 1};
  ContactRow named;
  named.cells.Set(kDisplayName, "Zo\xEB ");
  named.cells.Set(kEmail, "zoe@example.org ");
  named.cells.Widen(kContactCellCount);
  ContactRow blank;
  blank.cells.Widen(kContactCellCount);
  job.contactRows = {named, blank};
  const SaveOutcome saved = RunSaveJob(job, Page(1251), NoProgress);
  EXPECT_EQ(saved.written, 2);
  // The blank record was checked in the list: the notice says it was left out.
  EXPECT_EQ(saved.blankLeftOut, 1);
  EXPECT_EQ(DescribeSaveEnd(saved, "L"), "2 files written to L; 1 blank contact record left out.");
  const std::string cards = scratch.Read("AddBook.vcf");
  EXPECT_NE(cards.find("FN:Zo\xD0\xBB\r\n"), std::string::npos) << cards;
  EXPECT_EQ(cards.find("BEGIN:VCARD"), cards.rfind("BEGIN:VCARD"));
  EXPECT_NE(scratch.Read("AddBook.txt").find("zoe@example.org"), std::string::npos);
}

TEST(SaveEndNotice, SaysWhatWasWrittenCancelledOrFailed) {
  SaveOutcome outcome;
  outcome.written = 2;
  EXPECT_EQ(DescribeSaveEnd(outcome, "L"), "2 files written to L.");
  outcome.cancelled = true;
  outcome.unreadable = 1;
  EXPECT_EQ(DescribeSaveEnd(outcome, "L"),
            "Saving was cancelled. 2 files written to L; 1 with bytes that could not be read (NUL bytes in their "
            "place).");
  outcome.failedFile = "F";
  outcome.reason = "disk full";
  outcome.unreadable = 0;
  outcome.endedEarly = 1;
  EXPECT_EQ(DescribeSaveEnd(outcome, "L"),
            "The file F could not be written: disk full.<br>2 files had been written to L before it; 1 not saved "
            "whole: the store gave out before the size it had when opened.");
  // Checked rows the list's search hides are written all the same, and said so.
  EXPECT_EQ(DescribeHiddenChecked(0, false), "");
  EXPECT_EQ(DescribeHiddenChecked(1, true), "<br>1 ticked contact that the search hides was saved too.");
}

TEST(SavingProgress, CountsFromOneAndEstimatesOnlyOnceItMeansSomething) {
  using std::chrono::milliseconds;
  EXPECT_EQ(SavingCountText(0, 250), "1 of 250");
  EXPECT_EQ(SavingCountText(249, 250), "250 of 250");
  // Too soon, too few rows, or nothing left: no estimate.
  EXPECT_EQ(SavingTimeLeftText(100, 250, milliseconds(999)), "");
  EXPECT_EQ(SavingTimeLeftText(2, 250, milliseconds(5000)), "");
  EXPECT_EQ(SavingTimeLeftText(250, 250, milliseconds(5000)), "");
  EXPECT_EQ(SavingTimeLeftText(3, 4, milliseconds(3000)), "About 1 second left");
  EXPECT_EQ(SavingTimeLeftText(10, 30, milliseconds(1001)), "About 3 seconds left");
  EXPECT_EQ(SavingTimeLeftText(10, 100, milliseconds(6600)), "About 1 minute left");
  EXPECT_EQ(SavingTimeLeftText(10, 100, milliseconds(6700)), "About 2 minutes left");
  EXPECT_EQ(SavingTimeLeftText(10, 1010, milliseconds(6000)), "About 10 minutes left");
}

}  // namespace
}  // namespace tessel::recovery
