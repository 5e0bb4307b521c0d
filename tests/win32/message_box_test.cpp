// The message box under Wine: the box is shown for real and driven by a second
// thread that finds it by its caption, reads it back (captions, buttons,
// window size, pixels) and presses buttons, sends keys and timer ticks.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "msgbox/message_box_call.h"
#include "msgbox/message_box_layout.h"
#include "draw_win32/native_handles_win32.h"
#include "msgbox_win32/message_box_look.h"
#include "msgbox_win32/message_box_strings.h"
#include "draw/software_surface.h"
#include "draw_win32/gdi_dib.h"
#include "draw_win32/gdi_surface.h"
#include "richtext_win32/html_platform_win32.h"
#include "win32_base/wide_path.h"

namespace tessel {
namespace {

namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

constexpr char kRememberKey[] = "Software\\message_box_test.exe\\KVMessageBox";

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return Utf8OfWide(text);
}

struct Button {
  int id;
  std::string caption;
  bool enabled;
  bool isDefault;
  Rect rect;  // in the box's client coordinates
  friend bool operator==(const Button&, const Button&) = default;
};

// The push buttons of a box in creation order.
std::vector<Button> ButtonsOf(HWND box) {
  std::vector<Button> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiA(name, "Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    buttons.push_back({GetDlgCtrlID(child),
                       TextOf(child),
                       IsWindowEnabled(child) != FALSE,
                       type == BS_DEFPUSHBUTTON,
                       {rect.left, rect.top, rect.right, rect.bottom}});
  }
  return buttons;
}

std::vector<int> IdsOf(const std::vector<Button>& buttons) {
  std::vector<int> ids;
  for (const Button& b : buttons) ids.push_back(b.id);
  return ids;
}

HWND CheckBoxOf(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) return child;
  return nullptr;
}

Size WindowSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Press(HWND box, int id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}
void Tick(HWND box) { SendMessageA(box, WM_TIMER, 1, 0); }

// Finds the box with a caption once it is visible and painted, and drives it
// with `drive` on its own thread; gives up when the call returns first.
class BoxDriver {
 public:
  BoxDriver(std::string caption, std::function<void(HWND)> drive)
      : thread_([this, caption, drive] { Run(caption, drive); }) {}
  ~BoxDriver() {
    if (thread_.joinable()) Finish();
  }
  // Call after the box's call returned; true when the box was shown.
  bool Finish() {
    returned_ = true;
    thread_.join();
    return found_;
  }

 private:
  void Run(const std::string& caption, const std::function<void(HWND)>& drive) {
    for (int i = 0; i < 1000 && !returned_; ++i) {
      HWND box = FindWindowW(L"#32770", WidePath(caption).c_str());
      if (box && IsWindowVisible(box)) {
        found_ = true;
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        drive(box);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  std::atomic<bool> returned_{false};
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// While alive, the thread's own timer messages are dropped, so that only the
// ticks a test sends count down.
class OnlySentTicks {
 public:
  OnlySentTicks() : hook_(SetWindowsHookExA(WH_GETMESSAGE, &Drop, nullptr, GetCurrentThreadId())) {}
  ~OnlySentTicks() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Drop(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && message->message == WM_TIMER) message->message = WM_NULL;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
};

// The areas the box should measure for a record, measured here the same way.
struct ExpectedBox {
  ExpectedBox(MessageBoxParams params, LPCSTR systemIcon) : font(CreateMessageFont()) {
    params.stringModule = nullptr;
    HICON icon = systemIcon ? LoadIconA(nullptr, systemIcon) : nullptr;
    model =
        BuildMessageBoxModel(params, strings, false, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon)),
                             GetSystemMetrics(SM_CXICON));
    HDC screen = GetDC(nullptr);
    {
      GdiSurface surface(screen);
      Win32DialogLook look(font.get());
      areas = content.Measure(params, model.texts, surface, look);
    }
    ReleaseDC(nullptr, screen);
  }
  Size Window() const {
    return {areas.width + 2 * GetSystemMetrics(SM_CXDLGFRAME),
            areas.CollapsedHeight() + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME)};
  }
  framework::UniqueFont font;
  ModuleStringResources strings;
  MessageBoxModel model;
  MessageBoxContent content{MakeWin32HtmlPlatform()};
  MessageBoxAreas areas;
};

// The pixels of a box's client area as the screen shows them (0x00RRGGBB).
PixelImage ClientPixels(HWND box) {
  RECT client{};
  GetClientRect(box, &client);
  HDC dc = GetDC(box);
  PixelImage image(client.right, client.bottom, 0);
  {
    GdiDib dib(dc, client.right, client.bottom);
    if (dib.ok()) {
      BitBlt(dib.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
      image = dib.Load();
    }
  }
  ReleaseDC(box, dc);
  return image;
}

MessageBoxParams WizardBand() {
  MessageBoxParams params;
  params.background.fillEffect = 12;
  params.background.colourBegin = 0x86FDF7;
  params.background.colourMiddle = 0xFFFFFF;
  params.background.colourEnd = 0x86FDF7;
  params.background.separatorAlignment = 2;
  return params;
}

void ClearRemembered() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kRememberKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\message_box_test.exe");
}

TEST(MessageBoxWindow, QuestionShowsYesAndNoWithItsIconAndAnswersTheButtonPressed) {
  for (int press : {IDYES, IDNO}) {
    std::vector<Button> buttons;
    Size size;
    BoxDriver driver("Question box", [&](HWND box) {
      buttons = ButtonsOf(box);
      size = WindowSize(box);
      Press(box, press);
    });
    const std::uint32_t result = RichMessageBox(nullptr, "Do you really want to exit ?", "Question box", 0x24, nullptr);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(result, static_cast<std::uint32_t>(press));
    EXPECT_EQ(IdsOf(buttons), (std::vector<int>{IDYES, IDNO}));
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].caption, "Yes");
    EXPECT_TRUE(buttons[0].isDefault);
    // The size tells the text and the icon beside it: measured with the question icon.
    EXPECT_EQ(size, ExpectedBox(CompleteMessageBoxParams(nullptr, "Do you really want to exit ?", "Question box", 0x24,
                                                         nullptr),
                                IDI_QUESTION)
                        .Window());
  }
}

TEST(MessageBoxWindow, NoticeShowsOkAndNullRecordMatchesADefaultRecord) {
  struct Shown {
    std::vector<Button> buttons;
    Size size;
    std::uint32_t result = 0;
  };
  auto show = [](const MessageBoxParams* record) {
    Shown shown;
    BoxDriver driver("Notice box", [&](HWND box) {
      shown.buttons = ButtonsOf(box);
      shown.size = WindowSize(box);
      Press(box, IDOK);
    });
    shown.result = RichMessageBox(nullptr, "Please select files for save", "Notice box", 0x40, record);
    EXPECT_TRUE(driver.Finish());
    return shown;
  };
  const MessageBoxParams defaults;
  const Shown withNull = show(nullptr);
  const Shown withDefaults = show(&defaults);
  EXPECT_EQ(withNull.result, B::kOk);
  EXPECT_EQ(withDefaults.result, B::kOk);
  EXPECT_EQ(IdsOf(withNull.buttons), std::vector<int>{IDOK});
  EXPECT_EQ(withNull.buttons, withDefaults.buttons);
  EXPECT_EQ(withNull.size, withDefaults.size);
}

TEST(MessageBoxWindow, ArgumentsWinOverTheRecord) {
  MessageBoxParams record;
  record.caption = "Record caption";
  record.messageText = "Record text";
  record.style = 0x24;
  std::string caption;
  std::vector<Button> buttons;
  BoxDriver driver("Argument caption", [&](HWND box) {
    caption = TextOf(box);
    buttons = ButtonsOf(box);
    Press(box, IDOK);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Argument text", "Argument caption", 0x40, &record), B::kOk);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(caption, "Argument caption");
  EXPECT_EQ(IdsOf(buttons), std::vector<int>{IDOK});
}

TEST(MessageBoxWindow, EscapeAndCloseEndOnlyACancellableBox) {
  bool openAfterEscape = false;
  bool closeGreyed = false;
  BoxDriver yesNo("Yes no box", [&](HWND box) {
    closeGreyed = (GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    PostMessageA(GetDlgItem(box, IDYES), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(box, WM_NULL, 0, 0);  // the posted key has been handled once this returns
    openAfterEscape = IsWindow(box) && IsWindowVisible(box);
    Press(box, IDNO);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "text", "Yes no box", 0x24, nullptr), B::kNo);
  ASSERT_TRUE(yesNo.Finish());
  EXPECT_TRUE(openAfterEscape);
  EXPECT_TRUE(closeGreyed);

  BoxDriver ok("Ok box", [&](HWND box) { PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); });
  EXPECT_EQ(RichMessageBox(nullptr, "text", "Ok box", 0x40, nullptr), B::kCancel);
  EXPECT_TRUE(ok.Finish());
}

TEST(MessageBoxWindow, CustomListAndAnEmptyCaptionWithoutOwner) {
  MessageBoxParams record;
  record.customButtons = "Keep\r\nDrop\n\nLater";
  std::vector<Button> buttons;
  BoxDriver driver("Error", [&](HWND box) {  // no caption and no owner: "Error"
    buttons = ButtonsOf(box);
    Press(box, 24);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Choose", "", 0x30, &record), 24u);
  ASSERT_TRUE(driver.Finish());
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(IdsOf(buttons), (std::vector<int>{23, 24, 25}));
  EXPECT_EQ(buttons[0].caption, "Keep");
  EXPECT_EQ(buttons[1].caption, "Drop");
  EXPECT_EQ(buttons[2].caption, "Later");

  record.customButtons = "A\nB\nC\nD\nE";
  BoxDriver five("Five", [&](HWND box) {
    buttons = ButtonsOf(box);
    Press(box, 26);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Choose", "Five", 0, &record), 26u);
  ASSERT_TRUE(five.Finish());
  EXPECT_EQ(IdsOf(buttons), (std::vector<int>{23, 24, 25, 26}));
  EXPECT_EQ(buttons.back().caption, "D");
}

// Our texts are UTF-8: the caption, the buttons and the check box's label show
// them whole. A box not found by its caption ends itself by its time-out.
TEST(MessageBoxWindow, Utf8TextsShowWhole) {
  MessageBoxParams record;
  record.customButtons = "Sauvegardé\nПочта";
  record.checkBoxText = "Ne plus demander ✓";
  record.timeoutSeconds = 3;
  std::vector<Button> buttons;
  std::string label;
  BoxDriver driver("Récupération © 😀", [&](HWND box) {
    buttons = ButtonsOf(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32] = {};
      GetClassNameA(child, name, sizeof name);
      if (lstrcmpiA(name, "Static") == 0) label = TextOf(child);
    }
    Press(box, 24);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "&copy;", "Récupération © 😀", S::kCheckBox | S::kNoSound, &record), 24u);
  ASSERT_TRUE(driver.Finish());
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[1].caption, "Почта");
  EXPECT_EQ(label, "Ne plus demander ✓");
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

TEST(MessageBoxWindow, CheckedAnswerIsStoredAndThenReturnedWithoutAWindow) {
  ClearRemembered();
  MessageBoxParams record;
  record.rememberValueName = "AskAgain";
  record.rememberId = 3;
  const std::uint32_t style = S::kYesNo | S::kCheckBox | S::kChecked | S::kNoSound;
  bool startedChecked = false;
  BoxDriver driver("Remember", [&](HWND box) {
    startedChecked = SendMessageA(CheckBoxOf(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Press(box, IDYES);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Ask again?", "Remember", style, &record), B::kYes | S::kChecked);
  ASSERT_TRUE(driver.Finish());
  EXPECT_TRUE(startedChecked);

  DWORD stored = 0;
  DWORD size = sizeof stored;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kRememberKey, "AskAgain3", RRF_RT_REG_DWORD, nullptr, &stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(stored, B::kYes | S::kChecked);

  BoxDriver none("Remember", [](HWND box) { Press(box, IDNO); });
  EXPECT_EQ(RichMessageBox(nullptr, "Ask again?", "Remember", style, &record), B::kYes | S::kChecked);
  EXPECT_FALSE(none.Finish());
  ClearRemembered();
}

TEST(MessageBoxWindow, TimeOutCountsDownOnTheButtonAndPressesItAfterFiveTicks) {
  OnlySentTicks ticks;
  MessageBoxParams record;
  record.timeoutSeconds = 5;
  std::vector<std::string> captions;
  BoxDriver driver("Timed", [&](HWND box) {
    captions.push_back(TextOf(GetDlgItem(box, IDOK)));
    for (int i = 0; i < 4; ++i) {
      Tick(box);
      captions.push_back(TextOf(GetDlgItem(box, IDOK)));
    }
    Tick(box);  // the fifth ends the box
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Counting", "Timed", 0, &record), B::kOk);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(captions, (std::vector<std::string>{"OK = 5", "OK = 4", "OK = 3", "OK = 2", "OK = 1"}));
}

TEST(MessageBoxWindow, DisableSecondsWithATimeOutReleaseTheButtonsAndDoNotPress) {
  OnlySentTicks ticks;
  MessageBoxParams record;
  record.timeoutSeconds = 3;
  record.disableSeconds = 2;
  Button before{}, after{};
  bool openAfterCountdown = false;
  BoxDriver driver("Held", [&](HWND box) {
    before = ButtonsOf(box)[0];
    for (int i = 0; i < 3; ++i) Tick(box);
    after = ButtonsOf(box)[0];
    openAfterCountdown = IsWindowVisible(box) != FALSE;
    Press(box, IDCANCEL);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Wait", "Held", S::kOkCancel, &record), B::kCancel);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(before.caption, "OK = 3");
  EXPECT_FALSE(before.enabled);
  EXPECT_FALSE(before.isDefault);
  EXPECT_EQ(after.caption, "OK");
  EXPECT_TRUE(after.enabled);
  EXPECT_TRUE(after.isDefault);
  EXPECT_TRUE(openAfterCountdown);
}

TEST(MessageBoxWindow, CountdownInTheCaptionDisablesEveryButtonUntilZero) {
  OnlySentTicks ticks;
  MessageBoxParams record;
  record.disableSeconds = 2;
  record.countdownInCaption = 1;
  std::vector<std::string> captions;
  std::vector<Button> before, after;
  bool closeGreyedBefore = false, closeGreyedAfter = false;
  BoxDriver driver("Patience (2 seconds remaining)", [&](HWND box) {
    HMENU menu = GetSystemMenu(box, FALSE);
    closeGreyedBefore = (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    before = ButtonsOf(box);
    Tick(box);
    captions.push_back(TextOf(box));
    Tick(box);
    captions.push_back(TextOf(box));
    after = ButtonsOf(box);
    closeGreyedAfter = (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    Press(box, IDOK);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Wait", "Patience", S::kOkCancel | S::kHelp, &record), B::kOk);
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(captions, (std::vector<std::string>{"Patience (1 seconds remaining)", "Patience"}));
  ASSERT_EQ(before.size(), 3u);
  EXPECT_FALSE(before[0].enabled);
  EXPECT_FALSE(before[1].enabled);
  EXPECT_TRUE(before[2].enabled);  // Help
  EXPECT_TRUE(closeGreyedBefore);
  for (const Button& b : after) EXPECT_TRUE(b.enabled) << b.caption;
  EXPECT_TRUE(after[0].isDefault);
  EXPECT_FALSE(closeGreyedAfter);
}

TEST(MessageBoxWindow, MoreTogglesTheHeightByTheMoreAreaAndOnlyItsCaption) {
  MessageBoxParams record;
  record.moreText = "The details:<br>line one<br>line two";
  const MessageBoxParams completed = CompleteMessageBoxParams(nullptr, "Short", "More box", S::kOkCancel, &record);
  const ExpectedBox expected(completed, nullptr);
  Size collapsed, expanded, again;
  std::vector<Button> before, open, closed;
  BoxDriver driver("More box", [&](HWND box) {
    collapsed = WindowSize(box);
    before = ButtonsOf(box);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(B::kMore, BN_CLICKED), 0);
    expanded = WindowSize(box);
    open = ButtonsOf(box);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(B::kMore, BN_CLICKED), 0);
    again = WindowSize(box);
    closed = ButtonsOf(box);
    Press(box, IDOK);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Short", "More box", S::kOkCancel, &record), B::kOk);
  ASSERT_TRUE(driver.Finish());
  ASSERT_GT(expected.areas.moreHeight, 0);
  EXPECT_EQ(collapsed, expected.Window());
  EXPECT_EQ(expanded, (Size{collapsed.cx, collapsed.cy + expected.areas.moreHeight}));
  EXPECT_EQ(again, collapsed);
  ASSERT_EQ(IdsOf(before), (std::vector<int>{IDOK, IDCANCEL, static_cast<int>(B::kMore)}));
  EXPECT_EQ(before[2].caption, "More >>");
  std::vector<Button> expectedOpen = before;
  expectedOpen[2].caption = "<< More";
  EXPECT_EQ(open, expectedOpen);
  EXPECT_EQ(closed, before);
}

TEST(MessageBoxWindow, WindowAndButtonsFollowTheMeasuredAreas) {
  MessageBoxParams record = WizardBand();
  record.headerHeight = 30;
  record.headerText = "<b>Header</b>";
  record.headerBand = {1, 2, "Details", -1};
  record.buttonAlignment = 1;
  record.buttonBand = {2, 0, "Choose", -1};
  const std::uint32_t style = S::kYesNoCancel | S::kIconInformation | S::kCheckBox | S::kCheckBoxBelow;
  const MessageBoxParams completed =
      CompleteMessageBoxParams(nullptr, "Found <b>3</b> messages", "Measured", style, &record);
  const ExpectedBox expected(completed, IDI_ASTERISK);
  Size size;
  RECT client{}, check{};
  std::vector<Button> buttons;
  BoxDriver driver("Measured", [&](HWND box) {
    size = WindowSize(box);
    GetClientRect(box, &client);
    buttons = ButtonsOf(box);
    GetWindowRect(CheckBoxOf(box), &check);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&check), 2);
    Press(box, IDYES);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Found <b>3</b> messages", "Measured", style, &record), B::kYes);
  ASSERT_TRUE(driver.Finish());
  const MessageBoxAreas& a = expected.areas;
  EXPECT_EQ(size, expected.Window());
  EXPECT_EQ(client.right, a.width);
  EXPECT_EQ(client.bottom, a.CollapsedHeight());
  EXPECT_EQ(a.buttonAreaHeight, 22 + 13 + 11 + a.buttonHeight);
  ASSERT_EQ(buttons.size(), 3u);
  // Right-aligned row above the check box.
  const int rowWidth = 3 * a.buttonWidth + 2 * 11;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(buttons[i].rect.left, a.width - 11 - rowWidth + i * (a.buttonWidth + 11));
    EXPECT_EQ(buttons[i].rect.top, a.CollapsedHeight() - 11 - 13 - 11 - a.buttonHeight);
    EXPECT_EQ(buttons[i].rect.right - buttons[i].rect.left, a.buttonWidth);
  }
  EXPECT_EQ(check.left, 10);
  EXPECT_EQ(check.bottom, a.CollapsedHeight() - 11);
}

TEST(MessageBoxWindow, BandPixelsAreTheDrawManagersFill) {
  MessageBoxParams record = WizardBand();
  PixelImage screen;
  BoxDriver driver("Band", [&](HWND box) {
    screen = ClientPixels(box);
    Press(box, IDYES);
  });
  EXPECT_EQ(RichMessageBox(nullptr, "Do you really want to exit ?", "Band", 0x24, &record), B::kYes);
  ASSERT_TRUE(driver.Finish());
  ASSERT_FALSE(screen.IsEmpty());

  PixelImage fill(screen.Width(), screen.Height(), 0);
  SoftwareSurface surface(fill);
  DrawManager().FillEffect(surface, 12, {0, 0, fill.Width(), fill.Height()}, 0x86FDF7, 0xFFFFFF, 0x86FDF7, 0, 0);
  // The margins left and right of the text and buttons show the band alone.
  int compared = 0;
  for (int y = 0; y < screen.Height(); ++y)
    for (int x : {0, 5, 10, screen.Width() - 11, screen.Width() - 1}) {
      EXPECT_EQ(screen.At(x, y) & 0xFFFFFF, fill.At(x, y) & 0xFFFFFF) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 100);
  // A band, not one colour: the comparison would also pass for a plain fill.
  bool varies = false;
  for (int x = 1; x < fill.Width(); ++x) varies |= (fill.At(x, 0) & 0xFFFFFF) != (fill.At(0, 0) & 0xFFFFFF);
  EXPECT_TRUE(varies);
}

constexpr UINT kReport = WM_APP + 7;
std::atomic<int> g_reports{0};

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReport) ++g_reports;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(MessageBoxWindow, ReportSendsTheOwnerItsMessageAndStaysOpen) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &OwnerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MessageBoxTestOwner";
  RegisterClassA(&windowClass);
  HWND owner = CreateWindowA("MessageBoxTestOwner", "Owner text", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  MessageBoxParams record;
  record.reportMessage = kReport;
  std::vector<Button> buttons;
  bool open = false;
  BoxDriver driver("Owner text", [&](HWND box) {  // no caption: the owner's text
    buttons = ButtonsOf(box);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(B::kReport, BN_CLICKED), 0);
    open = IsWindowVisible(box) != FALSE;
    Press(box, IDOK);
  });
  EXPECT_EQ(RichMessageBox(ToWindowHandle(owner), "Report?", nullptr, 0, &record), B::kOk);
  ASSERT_TRUE(driver.Finish());
  DestroyWindow(owner);
  EXPECT_EQ(IdsOf(buttons), (std::vector<int>{IDOK, static_cast<int>(B::kReport)}));
  EXPECT_EQ(g_reports.load(), 1);
  EXPECT_TRUE(open);
}

}  // namespace
}  // namespace tessel
