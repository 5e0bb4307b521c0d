#include "msgbox/message_box_call.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tessel {
namespace {

using Ids = std::vector<std::uint32_t>;
namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

// A string table that remembers which module it was asked about.
class FakeStrings : public StringResources {
 public:
  std::map<std::uint32_t, std::string> table;
  mutable ModuleHandle lastModule = nullptr;
  std::string Load(ModuleHandle module, std::uint32_t id) const override {
    lastModule = module;
    const auto found = table.find(id);
    return found == table.end() ? std::string() : found->second;
  }
};

TEST(MessageBoxButtons, EachSetHasItsButtonsInOrder) {
  struct Case {
    std::uint32_t set;
    Ids ids;
    bool cancellable;
  };
  const std::vector<Case> cases = {
      {0, {B::kOk}, true},
      {1, {B::kOk, B::kCancel}, true},
      {2, {B::kAbort, B::kRetry, B::kIgnore}, false},
      {3, {B::kYes, B::kNo, B::kCancel}, true},
      {4, {B::kYes, B::kNo}, false},
      {5, {B::kRetry, B::kCancel}, true},
      {6, {B::kCancel, B::kRetry, B::kContinue}, true},
      {7, {B::kContinue, B::kAbort}, false},
      {8, {B::kSkip, B::kSkipAll, B::kCancel}, true},
      {9, {B::kIgnore, B::kIgnoreAll, B::kCancel}, true},
  };
  for (const Case& c : cases) {
    const MessageBoxButtons buttons = ChooseButtons(c.set, 0, false, false);
    EXPECT_EQ(buttons.ids, c.ids) << "set " << c.set;
    EXPECT_EQ(buttons.cancellable, c.cancellable) << "set " << c.set;
  }
}

TEST(MessageBoxButtons, UnknownSetFallsBackToOk) {
  const MessageBoxButtons buttons = ChooseButtons(0x0F, 0, false, false);
  EXPECT_EQ(buttons.ids, Ids{B::kOk});
  EXPECT_TRUE(buttons.cancellable);
}

TEST(MessageBoxButtons, ToAllButtonsFollowYesAndNoOnlyInSetsThreeAndFour) {
  const std::uint32_t both = S::kYesToAll | S::kNoToAll;
  EXPECT_EQ(ChooseButtons(S::kYesNoCancel | both, 0, false, false).ids,
            (Ids{B::kYes, B::kYesToAll, B::kNo, B::kNoToAll, B::kCancel}));
  EXPECT_EQ(ChooseButtons(S::kYesNo | S::kNoToAll, 0, false, false).ids, (Ids{B::kYes, B::kNo, B::kNoToAll}));
  EXPECT_EQ(ChooseButtons(S::kYesNo | S::kYesToAll, 0, false, false).ids, (Ids{B::kYes, B::kYesToAll, B::kNo}));
  EXPECT_EQ(ChooseButtons(S::kOkCancel | both, 0, false, false).ids, (Ids{B::kOk, B::kCancel}));
}

TEST(MessageBoxButtons, HelpReportAndMoreComeLastInThatOrder) {
  EXPECT_EQ(ChooseButtons(S::kYesNo | S::kHelp, 0, true, true).ids,
            (Ids{B::kYes, B::kNo, B::kHelp, B::kReport, B::kMore}));
  EXPECT_EQ(ChooseButtons(S::kOk, 0, false, true).ids, (Ids{B::kOk, B::kMore}));
}

TEST(MessageBoxButtons, CustomButtonsReplaceTheSetAndCannotBeCancelled) {
  const MessageBoxButtons buttons = ChooseButtons(S::kOkCancel | S::kHelp, 3, false, false);
  EXPECT_EQ(buttons.ids, (Ids{23, 24, 25, B::kHelp}));
  EXPECT_FALSE(buttons.cancellable);
  EXPECT_EQ(ChooseButtons(S::kOk, 9, false, false).ids, (Ids{23, 24, 25, 26}));
}

TEST(MessageBoxButtons, DefaultIndexPastTheLastButtonIsTheFirst) {
  EXPECT_EQ(ChooseButtons(S::kYesNo | 0x100, 0, false, false).defaultIndex, 1u);
  EXPECT_EQ(ChooseButtons(S::kYesNo | 0x200, 0, false, false).defaultIndex, 0u);
  EXPECT_EQ(ChooseButtons(S::kYesNo | S::kHelp | 0x200, 0, false, false).defaultIndex, 2u);
  EXPECT_EQ(ChooseButtons(S::kOk | 0xF00, 0, false, false).defaultIndex, 0u);
}

TEST(MessageBoxCustomButtons, SplitDropsCarriageReturnsEmptyPiecesAndAFifthCaption) {
  EXPECT_EQ(SplitCustomButtons("A\r\nB\n\nC"), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(SplitCustomButtons("1\n2\n3\n4\n5"), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_TRUE(SplitCustomButtons("\r\n\n").empty());
  EXPECT_TRUE(SplitCustomButtons("").empty());
}

TEST(MessageBoxTextRef, PointersAreTextsAndSmallValuesAreResourceIds) {
  FakeStrings strings;
  strings.table[101] = "from the table";
  MessageBoxParams params;
  params.stringModule = reinterpret_cast<ModuleHandle>(0x400000);

  EXPECT_EQ(ResolveTextRef("plain", params, strings), "plain");
  EXPECT_EQ(ResolveTextRef(nullptr, params, strings), "");
  EXPECT_TRUE(TextRef(nullptr).IsNull());

  // A resource name cast to a pointer, as platform callers pass it.
  const TextRef cast(reinterpret_cast<const char*>(std::uintptr_t{101}));
  EXPECT_TRUE(cast.IsResource());
  EXPECT_EQ(cast.ResourceId(), 101);
  EXPECT_EQ(ResolveTextRef(cast, params, strings), "from the table");
  EXPECT_EQ(strings.lastModule, params.stringModule);
  EXPECT_EQ(ResolveTextRef(TextRef::Resource(0xFFFF), params, strings), "");

  params.style |= S::kNoResourceTexts;
  EXPECT_EQ(ResolveTextRef(cast, params, strings), "");
  EXPECT_EQ(ResolveTextRef("still text", params, strings), "still text");
}

TEST(MessageBoxTextRef, LongResourceTextsAreCut) {
  FakeStrings strings;
  strings.table[7] = std::string(1000, 'x');
  EXPECT_EQ(ResolveTextRef(TextRef::Resource(7), MessageBoxParams{}, strings).size(), kMaxResourceTextLength);
  // UTF-8: the limit counts characters.
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "é";
  strings.table[8] = accents;
  EXPECT_EQ(ResolveTextRef(TextRef::Resource(8), MessageBoxParams{}, strings),
            accents.substr(0, 2 * kMaxResourceTextLength));
}

TEST(MessageBoxCaptionRule, OverrideThenResourceThenDefaultThenBuiltIn) {
  FakeStrings strings;
  MessageBoxParams params;
  EXPECT_EQ(ButtonCaption(B::kNo, params, strings), "No");
  EXPECT_EQ(ButtonCaption(B::kCheckBox, params, strings), "Do not show again");
  EXPECT_EQ(ButtonCaption(B::kNo, params, strings, "Nope"), "Nope");

  strings.table[9008] = "Resource No";
  EXPECT_EQ(ButtonCaption(B::kNo, params, strings, "Nope"), "Resource No");

  strings.table[500] = "Override from table";
  const std::map<std::uint32_t, TextRef> overrides = {
      {B::kNo, "Never"}, {B::kYes, ""}, {B::kOk, TextRef::Resource(500)}};
  params.captionOverrides = &overrides;
  EXPECT_EQ(ButtonCaption(B::kNo, params, strings), "Never");
  EXPECT_EQ(ButtonCaption(B::kOk, params, strings), "Override from table");
  EXPECT_EQ(ButtonCaption(B::kYes, params, strings), "Yes");  // an empty override falls through
  EXPECT_EQ(ButtonCaption(B::kCancel, params, strings), "Cancel");

  params.style |= S::kNoResourceTexts;
  params.captionOverrides = nullptr;
  EXPECT_EQ(ButtonCaption(B::kNo, params, strings), "No");
}

TEST(MessageBoxCaptionRule, EveryButtonHasACaptionAndAResource) {
  for (std::uint32_t id : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 9u, 10u, 11u, 14u, 15u, 16u, 19u, 20u, 21u, 30u, 31u}) {
    EXPECT_FALSE(BuiltInCaption(id).empty()) << id;
    EXPECT_GE(CaptionResourceId(id), 9001u) << id;
  }
  EXPECT_EQ(CaptionResourceId(B::kCountdownFormat), 9020u);
  EXPECT_EQ(CaptionResourceId(23), 0u);
  EXPECT_TRUE(BuiltInCaption(23).empty());
}

TEST(MessageBoxWindowCaption, FallsBackToOwnerTextThenError) {
  EXPECT_EQ(WindowCaption("Given", "Owner"), "Given");
  EXPECT_EQ(WindowCaption("", "Owner"), "Owner");
  EXPECT_EQ(WindowCaption("", ""), "Error");
}

// Records what the call hands to the box and answers for the user.
class RecordingHook {
 public:
  explicit RecordingHook(std::optional<std::uint32_t> answer) {
    previous_ = SetMessageBoxAnswerHook([this, answer](const MessageBoxParams& params) {
      seen.push_back(params);
      return answer;
    });
  }
  ~RecordingHook() { SetMessageBoxAnswerHook(previous_); }
  std::vector<MessageBoxParams> seen;

 private:
  MessageBoxAnswerHook previous_;
};

TEST(RichMessageBoxCall, NullRecordBehavesAsDefaults) {
  RecordingHook hook(B::kYes);
  EXPECT_EQ(RichMessageBox(nullptr, "Question?", "Title", 0x24, nullptr), B::kYes);
  const MessageBoxParams defaults;
  EXPECT_EQ(RichMessageBox(nullptr, "Question?", "Title", 0x24, &defaults), B::kYes);
  ASSERT_EQ(hook.seen.size(), 2u);
  EXPECT_EQ(hook.seen[0], hook.seen[1]);

  const MessageBoxParams& p = hook.seen[0];
  EXPECT_EQ(p.style, 0x24u);
  EXPECT_EQ(p.caption, "Title");
  EXPECT_STREQ(p.messageText.Text(), "Question?");
  EXPECT_EQ(p.buttonAlignment, 2);
  EXPECT_EQ(p.background.fillEffect, -1);
  EXPECT_EQ(p.background.colourBegin, kButtonFaceColour);
  EXPECT_EQ(p.headerHeight, 0);
  EXPECT_EQ(p.captionOverrides, nullptr);
}

TEST(RichMessageBoxCall, ArgumentsWinOverTheRecord) {
  RecordingHook hook(B::kOk);
  MessageBoxParams record;
  record.owner = reinterpret_cast<WindowHandle>(0x1234);
  record.messageText = "record text";
  record.caption = "record caption";
  record.style = 0x24;
  record.background.fillEffect = 12;
  record.background.colourBegin = 0x86FDF7;
  record.timeoutSeconds = 5;

  EXPECT_EQ(RichMessageBox(nullptr, "argument text", nullptr, 0x40, &record), B::kOk);
  ASSERT_EQ(hook.seen.size(), 1u);
  const MessageBoxParams& p = hook.seen[0];
  EXPECT_EQ(p.owner, nullptr);
  EXPECT_STREQ(p.messageText.Text(), "argument text");
  EXPECT_EQ(p.caption, "");
  EXPECT_EQ(p.style, 0x40u);
  // What the arguments do not name comes from the record.
  EXPECT_EQ(p.background.fillEffect, 12);
  EXPECT_EQ(p.background.colourBegin, 0x86FDF7u);
  EXPECT_EQ(p.timeoutSeconds, 5);
  // The caller's record is left as it was.
  EXPECT_EQ(record.caption, "record caption");
}

TEST(RichMessageBoxCall, WithoutAWindowSystemTheAnswerIsCancel) {
  {
    RecordingHook hook(std::nullopt);  // looks, but lets the box be shown
    EXPECT_EQ(RichMessageBox(nullptr, "text", "caption", 0x40, nullptr), B::kCancel);
    EXPECT_EQ(hook.seen.size(), 1u);
  }
  EXPECT_EQ(RichMessageBox(nullptr, "text", "caption", 0x40, nullptr), B::kCancel);
}

}  // namespace
}  // namespace tessel
