// The wizard's words for a move: each input's row and the end's line and
// notice, whose counts take only what is on disk.
#include "moving/move_words.h"

#include <gtest/gtest.h>

namespace tessel::moving {
namespace {

InputReport Input(InputKind kind, InputState state, long long listed, long long foundOnly = 0) {
  InputReport input;
  input.kind = kind;
  input.state = state;
  input.listed = listed;
  input.foundOnly = foundOnly;
  input.relativePath = "Identities/Anna/Inbox.imh";
  return input;
}

TEST(MoveWords, RowsSayWhatWasFoundAndHowEachWent) {
  const InputReport store = Input(InputKind::kIndexedStore, InputState::kDone, 12, 1);
  EXPECT_EQ(MoveNameText(store), "Identities\\Anna\\Inbox.imh");
  EXPECT_EQ(MoveFoundText(store), "13 messages");
  EXPECT_EQ(MoveFoundText(Input(InputKind::kAddressBook, InputState::kRunning, 1)), "1 contact");
  EXPECT_EQ(MoveFoundText(Input(InputKind::kStore, InputState::kWaiting, 0)), "");
  EXPECT_EQ(MoveFoundText(Input(InputKind::kIndexWithoutStore, InputState::kFailed, 0)), "");
  EXPECT_EQ(MoveStateText(Input(InputKind::kStore, InputState::kWaiting, 0), false), "Waiting");
  EXPECT_EQ(MoveStateText(Input(InputKind::kStore, InputState::kWaiting, 0), true), "Not moved: stopped before it");
  EXPECT_EQ(MoveStateText(Input(InputKind::kIndexWithoutStore, InputState::kFailed, 0), true),
            "Not moved: its store is missing");
  InputReport failed = Input(InputKind::kStore, InputState::kFailed, 0);
  EXPECT_EQ(MoveStateText(failed, true), "Failed");
  failed.problems = {"disk full", "later"};
  EXPECT_EQ(MoveStateText(failed, true), "Failed: disk full");
}

TEST(MoveWords, TheEndCountsOnlyWhatWasWrittenAndSaysWhatWasNot) {
  IdentityExportResult result;
  result.inputs = {Input(InputKind::kIndexedStore, InputState::kDone, 12, 1),
                   Input(InputKind::kStore, InputState::kIncomplete, 4),
                   Input(InputKind::kStore, InputState::kFailed, 9), Input(InputKind::kStore, InputState::kStopped, 5),
                   Input(InputKind::kAddressBook, InputState::kDone, 1)};
  result.stopped = true;
  result.reportPath = "C:\\Out\\Recovered mail\\Recovery report.txt";
  const MoveEndText said = DescribeMoveEnd(result, "C:\\Out\\Recovered mail");
  EXPECT_EQ(said.line, "Stopped: 17 messages from 2 message stores and 1 contact from 1 address book written.");
  EXPECT_TRUE(said.failed);
  EXPECT_EQ(said.notice,
            "17 messages from 2 message stores and 1 contact from 1 address book were written to "
            "<a href=\"C:\\Out\\Recovered mail\">C:\\Out\\Recovered mail</a>."
            "<br>Stopped: the files finished before the stop are kept, the one being written was removed."
            "<br>2 stores or address books could not be moved completely."
            "<br>The report tells what came of each one: <a href=\"" +
                result.reportPath + "\">" + result.reportPath +
                "</a>."
                "<br>How to bring them into your next mail program: the help page \"Moving your mail to another "
                "program\", linked below the list.");

  // One thing written is "was"; a whole success is no failure.
  IdentityExportResult one;
  one.inputs = {Input(InputKind::kStore, InputState::kDone, 1)};
  const MoveEndText single = DescribeMoveEnd(one, "D");
  EXPECT_EQ(single.line, "Done: 1 message from 1 message store and 0 contacts from 0 address books written.");
  EXPECT_EQ(single.notice.rfind("1 message from 1 message store and 0 contacts from 0 address books was written", 0),
            0u);
  EXPECT_FALSE(single.failed);

  IdentityExportResult refused;
  refused.refused = "the folder D holds Inbox.mbox already";
  const MoveEndText nothing = DescribeMoveEnd(refused, "D");
  EXPECT_EQ(nothing.line, "Nothing was written.");
  EXPECT_EQ(nothing.notice, "Nothing was written: the folder D holds Inbox.mbox already.");
  EXPECT_TRUE(nothing.failed);
}

}  // namespace
}  // namespace tessel::moving
