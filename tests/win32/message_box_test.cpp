// The message box call under Wine: the box is shown for real and answered by a
// second thread that finds it by its caption, reads it back and presses buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "msgbox/message_box_call.h"
#include "msgbox_win32/message_box_window.h"

namespace tessel {
namespace {

namespace B = MessageBoxButton;

// What the box showed, as another thread sees it.
struct BoxSnapshot {
  bool found = false;
  std::string caption;
  std::string text;
  std::vector<int> buttonIds;  // in creation order
  HICON icon = nullptr;
  bool openAfterCancel = false;
};

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM lParam) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Button") == 0) reinterpret_cast<std::vector<int>*>(lParam)->push_back(GetDlgCtrlID(child));
  return TRUE;
}

// Waits for the box with this caption, reads it, optionally tries Escape first,
// then presses the button.
class BoxAnswerer {
 public:
  BoxAnswerer(std::string caption, int press, bool tryCancelFirst = false)
      : thread_([this, caption, press, tryCancelFirst] { Answer(caption, press, tryCancelFirst); }) {}
  BoxSnapshot Finish() {
    thread_.join();
    return snapshot_;
  }

 private:
  void Answer(const std::string& caption, int press, bool tryCancelFirst) {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      box = FindWindowA("#32770", caption.c_str());
      if (!box) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!box) return;
    snapshot_.found = true;
    snapshot_.caption = TextOf(box);
    snapshot_.text = TextOf(GetDlgItem(box, kMessageBoxTextControlId));
    EnumChildWindows(box, &CollectButton, reinterpret_cast<LPARAM>(&snapshot_.buttonIds));
    if (HWND icon = GetDlgItem(box, kMessageBoxIconControlId)) {
      snapshot_.icon = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    }
    if (tryCancelFirst) {
      SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      snapshot_.openAfterCancel = IsWindow(box) && IsWindowVisible(box);
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
  }

  BoxSnapshot snapshot_;
  std::thread thread_;
};

TEST(MessageBoxWindow, QuestionShowsYesAndNoAndAnswersTheButtonPressed) {
  for (int press : {IDYES, IDNO}) {
    BoxAnswerer answerer("Question box", press);
    const std::uint32_t result = RichMessageBox(nullptr, "Do you really want to exit ?", "Question box", 0x24, nullptr);
    const BoxSnapshot box = answerer.Finish();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(result, static_cast<std::uint32_t>(press));
    EXPECT_EQ(box.text, "Do you really want to exit ?");
    EXPECT_EQ(box.buttonIds, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_QUESTION));
  }
}

TEST(MessageBoxWindow, NoticeShowsOkWithTheInformationIcon) {
  BoxAnswerer answerer("Notice box", IDOK);
  EXPECT_EQ(RichMessageBox(nullptr, "Please select files for save", "Notice box", 0x40, nullptr), B::kOk);
  const BoxSnapshot box = answerer.Finish();
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_ASTERISK));
}

TEST(MessageBoxWindow, NullRecordShowsTheSameBoxAsADefaultRecord) {
  const MessageBoxParams defaults;
  BoxAnswerer first("Same box", IDNO);
  const std::uint32_t withNull = RichMessageBox(nullptr, "Same text", "Same box", 0x24, nullptr);
  const BoxSnapshot nullBox = first.Finish();
  BoxAnswerer second("Same box", IDNO);
  const std::uint32_t withDefaults = RichMessageBox(nullptr, "Same text", "Same box", 0x24, &defaults);
  const BoxSnapshot defaultBox = second.Finish();

  ASSERT_TRUE(nullBox.found && defaultBox.found);
  EXPECT_EQ(withNull, withDefaults);
  EXPECT_EQ(nullBox.caption, defaultBox.caption);
  EXPECT_EQ(nullBox.text, defaultBox.text);
  EXPECT_EQ(nullBox.buttonIds, defaultBox.buttonIds);
  EXPECT_EQ(nullBox.icon, defaultBox.icon);
}

TEST(MessageBoxWindow, ArgumentsWinOverTheRecord) {
  MessageBoxParams record;
  record.caption = "Record caption";
  record.messageText = "Record text";
  record.style = 0x24;
  record.background.fillEffect = 12;
  BoxAnswerer answerer("Argument caption", IDOK);
  EXPECT_EQ(RichMessageBox(nullptr, "Argument text", "Argument caption", 0x40, &record), B::kOk);
  const BoxSnapshot box = answerer.Finish();
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.caption, "Argument caption");
  EXPECT_EQ(box.text, "Argument text");
  EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
}

TEST(MessageBoxWindow, EscapeEndsOnlyACancellableBox) {
  BoxAnswerer yesNo("Yes no box", IDNO, true);
  EXPECT_EQ(RichMessageBox(nullptr, "text", "Yes no box", 0x24, nullptr), B::kNo);
  const BoxSnapshot notCancelled = yesNo.Finish();
  ASSERT_TRUE(notCancelled.found);
  EXPECT_TRUE(notCancelled.openAfterCancel);

  BoxAnswerer ok("Ok box", IDOK, true);
  EXPECT_EQ(RichMessageBox(nullptr, "text", "Ok box", 0x40, nullptr), B::kCancel);
  EXPECT_FALSE(ok.Finish().openAfterCancel);
}

TEST(MessageBoxWindow, CustomButtonsAndAnEmptyCaption) {
  MessageBoxParams record;
  record.customButtons = "Keep\r\nDrop\n\nLater";
  // No caption and no owner: the box is called "Error".
  BoxAnswerer answerer("Error", 24);
  EXPECT_EQ(RichMessageBox(nullptr, "Choose", "", 0x30, &record), 24u);
  const BoxSnapshot box = answerer.Finish();
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.buttonIds, (std::vector<int>{23, 24, 25}));
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
}

TEST(MessageBoxWindow, TheHookAnswersWithoutAWindow) {
  std::atomic<int> asked{0};
  MessageBoxAnswerHook previous = SetMessageBoxAnswerHook([&](const MessageBoxParams& params) {
    ++asked;
    return std::optional<std::uint32_t>(params.style == 0x24 ? B::kYes : B::kOk);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "text", "Hooked", 0x24, nullptr), B::kYes);
  EXPECT_EQ(FindWindowA("#32770", "Hooked"), nullptr);
  EXPECT_EQ(asked.load(), 1);
  SetMessageBoxAnswerHook(previous);
}

}  // namespace
}  // namespace tessel
