// The wizard window, driven from inside the test: its start on the choose
// step, the keys it passes over, its system menu and About box, the link row,
// help and live update, and the question before exit.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/product.h"
#include "app/scan_state.h"
#include "app/link_pages.h"
#include "framework/background.h"
#include "framework/module.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"
#include "tests/win32/app_user_driver.h"

namespace {

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bStopRequested = 1;
    g_bScanRunning = 1;
    ASSERT_TRUE(wizard.Create());
    PumpFor(50);
  }

  HWND Control(int id) const { return ::GetDlgItem(wizard.m_hWnd, id); }

  AnsweredDialogs answered;
  RecordingWizard wizard;
};

TEST_F(WizardTest, OpensOnTheChooseStepWithExactlyItsControlsVisible) {
  std::vector<int> visible = VisibleControlIds(wizard.m_hWnd);
  std::sort(visible.begin(), visible.end());
  EXPECT_EQ(visible, kChooseStepControls);
  // Tab goes down the three cards' buttons in turn.
  EXPECT_EQ(::GetNextDlgTabItem(wizard.m_hWnd, Control(IDC_PROCEED_ADDRESS_BOOK), FALSE),
            Control(IDC_PROCEED_IDENTITY));
  EXPECT_EQ(::GetNextDlgTabItem(wizard.m_hWnd, Control(IDC_DEEP_SCAN), FALSE), Control(IDC_PROCEED_ADDRESS_BOOK));
  char version[64] = {};
  ::GetWindowTextA(Control(IDC_VERSION), version, sizeof version);
  EXPECT_STREQ(version, "Version " TESSEL_VERSION);
  // The deep scan is ours, beside the usual one: on until cleared.
  EXPECT_EQ(::SendMessageA(Control(IDC_DEEP_SCAN), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(wizard.IsWindowVisible());
  EXPECT_EQ(wizard.GetWindowText(), kProductTitle);
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  EXPECT_EQ(g_pWizardDlg, &wizard);
  EXPECT_EQ(g_bStopRequested, 0);
  EXPECT_EQ(g_bScanRunning, 0);
  EXPECT_EQ(wizard.FilePrefix(), "MailRec");
  EXPECT_EQ(WizardTestAccess::ProgramDir(wizard), framework::ProgramFolder());
  char current[MAX_PATH] = {};
  EXPECT_EQ(::GetWindowTextA(Control(IDC_PROCEED_STORE), current, MAX_PATH), 11);
  EXPECT_STREQ(current, "Proceed ...");
  // Shown on the task bar, with a minimise box but no maximise box.
  LONG style = ::GetWindowLongA(wizard.m_hWnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(::GetWindowLongA(wizard.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(WizardTest, SetsUpTheListWithItsFirstColumnsAndStyles) {
  CListCtrl& list = WizardTestAccess::List(wizard);
  ASSERT_EQ(list.GetHeaderItemCount(), 6);
  const std::array<int, 6> widths = {170, 170, 170, 170, 0, 0};
  for (int column = 0; column < 6; ++column)
    EXPECT_EQ(list.SendMessage(LVM_GETCOLUMNWIDTH, column), widths[column]) << column;
  DWORD extended = list.GetExtendedStyle();
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.GetImageList(LVSIL_SMALL), WizardTestAccess::RowImages(wizard).m_hImageList);
  if (HasPicture(IDB_CHOOSE_BACKGROUND)) {
    // A message, a contact, and a message found only in the store (the envelope marked).
    EXPECT_EQ(WizardTestAccess::RowImages(wizard).GetImageCount(), 3);
  }
}

TEST_F(WizardTest, EnterAndEscapeNeitherPressAButtonNorCloseTheWindow) {
  ::SetFocus(Control(IDC_PROCEED_STORE));
  PostKey(Control(IDC_PROCEED_STORE), VK_RETURN);
  PostKey(Control(IDC_PROCEED_STORE), VK_ESCAPE);
  PostKey(wizard.m_hWnd, VK_RETURN);
  PostKey(wizard.m_hWnd, VK_ESCAPE);
  PumpFor(100);
  EXPECT_TRUE(wizard.commands.empty());
  EXPECT_FALSE(wizard.IsEnded());
  EXPECT_TRUE(wizard.IsWindowVisible());
  EXPECT_TRUE(answered.boxes.empty());
}

TEST_F(WizardTest, TabStillMovesTheFocusBetweenControls) {
  ::SetFocus(Control(IDC_PROCEED_STORE));
  PostKey(Control(IDC_PROCEED_STORE), VK_TAB);
  PumpFor(50);
  EXPECT_NE(::GetFocus(), Control(IDC_PROCEED_STORE));
}

TEST_F(WizardTest, SystemMenuCarriesTheAboutItemBelowASeparator) {
  HMENU menu = ::GetSystemMenu(wizard.m_hWnd, FALSE);
  ASSERT_NE(menu, nullptr);
  int count = ::GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  EXPECT_EQ(::GetMenuItemID(menu, count - 2), static_cast<UINT>(IDM_ABOUTBOX));
  char text[128] = {};
  ::GetMenuStringA(menu, count - 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&About Oxbrim Tessel IncrediMail...");
  EXPECT_TRUE(::GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR);
  // The prefix setting, below the About item.
  EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_FILE_PREFIX));
  ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "File name prefix...");
}

// Closes the first About box that shows on this thread and notes what it saw.
struct AboutBoxWatch {
  static inline HWND wizard = nullptr;
  static inline bool seen = false;
  static inline bool wizardDisabled = false;
  static inline std::string title;
  static inline int ticks = 0;
  static inline bool clickContact = false;

  static void Start(HWND watchedWizard, bool clickContactLines = false) {
    wizard = watchedWizard;
    clickContact = clickContactLines;
    seen = wizardDisabled = false;
    title.clear();
    ticks = 0;
    ::SetTimer(nullptr, 0, 20, &Tick);
  }
  static BOOL CALLBACK Find(HWND window, LPARAM) {
    if (window == wizard || !::IsWindowVisible(window) || !::GetDlgItem(window, IDC_ABOUT_CONTACT)) return TRUE;
    char text[256] = {};
    ::GetDlgItemTextA(window, IDC_ABOUT_TITLE, text, sizeof text);
    title = text;
    wizardDisabled = !::IsWindowEnabled(wizard);
    seen = true;
    if (clickContact)
      ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CONTACT, STN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_ABOUT_CONTACT)));
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    ++ticks;
    if (!seen) ::EnumThreadWindows(::GetCurrentThreadId(), &Find, 0);
    if (seen || ticks > 250) ::KillTimer(nullptr, id);
  }
};

TEST_F(WizardTest, SystemMenuAboutItemOpensTheAboutBox) {
  AboutBoxWatch::Start(wizard.m_hWnd);
  // The system keeps the low four bits of a system command for itself.
  wizard.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
  EXPECT_TRUE(AboutBoxWatch::seen);
  EXPECT_TRUE(AboutBoxWatch::wizardDisabled);
  // The project's version, the one tessel --version and the file's properties show.
  EXPECT_EQ(AboutBoxWatch::title, std::string(kProductTitle) + " Version " TESSEL_VERSION);
  EXPECT_TRUE(::IsWindowEnabled(wizard.m_hWnd));
  EXPECT_TRUE(wizard.IsWindowVisible());
}

// What a help page request looks like: the help viewer, given the help file
// beside the program and the page.
void ExpectHelpPage(const ShellRequest& request, const std::string& helpFile, const std::string& page) {
  EXPECT_EQ(request.verb, "open");
  EXPECT_EQ(request.file, "hh.exe");
  EXPECT_EQ(request.parameters, "\"" + helpFile + "::/" + page + "\"");
  EXPECT_EQ(request.show, SW_SHOWNORMAL);
}

TEST_F(WizardTest, AboutBoxContactLinesOpenTheSupportPage) {
  TempFolder folder;
  folder.CreateFile(kHelpFileName);
  WizardTestAccess::ProgramDir(wizard) = folder.Path();
  AboutBoxWatch::Start(wizard.m_hWnd, true);
  wizard.SendMessage(WM_COMMAND, ID_ABOUT);
  ASSERT_TRUE(AboutBoxWatch::seen);
  ASSERT_EQ(answered.shellRequests.size(), 1u);
  ExpectHelpPage(answered.shellRequests[0], folder.Path() + "\\" + kHelpFileName, kSupportHelpPage);
}

TEST_F(WizardTest, AboutLinkButtonOpensTheAboutBox) {
  AboutBoxWatch::Start(wizard.m_hWnd);
  wizard.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_ABOUT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(IDC_LINK_ABOUT)));
  EXPECT_TRUE(AboutBoxWatch::seen);
  EXPECT_TRUE(answered.shellRequests.empty());
}

TEST_F(WizardTest, LinkButtonsTakeTheSizeOfTheirPicturesAndCarryTheirTips) {
  if (!HasPicture(IDB_LINK_HOME)) GTEST_SKIP() << "the link pictures are not linked in (res/art/ incomplete)";
  struct Link {
    const CHoverButton& button;
    int id;
    SIZE picture;
    const char* tip;
  };
  const Link links[] = {
      {WizardTestAccess::Link(wizard, 0), IDC_LINK_HOME, {46, 20}, "Click here to visit software homepage"},
      {WizardTestAccess::Link(wizard, 1), IDC_LINK_SUPPORT, {58, 20}, "Click here for online software support"},
      {WizardTestAccess::Link(wizard, 2), IDC_LINK_HELP, {82, 20}, "Click here for online help"},
      {WizardTestAccess::Link(wizard, 3), IDC_LINK_ABOUT, {46, 19}, "Click here for software information"},
      {WizardTestAccess::Link(wizard, 4), IDC_LINK_BUY, {121, 22}, "Click here to buy the software"},
  };
  for (const Link& link : links) {
    RECT rect{};
    ::GetWindowRect(Control(link.id), &rect);
    EXPECT_EQ(rect.right - rect.left, link.picture.cx) << link.id;
    EXPECT_EQ(rect.bottom - rect.top, link.picture.cy) << link.id;
    EXPECT_EQ(link.button.GetFaceSize().cx, link.picture.cx) << link.id;
    EXPECT_EQ(link.button.GetToolTip().GetToolText(link.button.m_hWnd, 1), link.tip) << link.id;
    EXPECT_TRUE(link.button.HasLinkCursor()) << link.id;
  }
}

TEST_F(WizardTest, LinkButtonsOpenTheirHelpPagesAndHomeTheWebPageOnlyWhenTheBuildHasOne) {
  TempFolder folder;
  folder.CreateFile(kHelpFileName);
  const std::string help = folder.Path() + "\\" + kHelpFileName;
  WizardTestAccess::ProgramDir(wizard) = folder.Path();
  for (int id : {IDC_LINK_HOME, IDC_LINK_SUPPORT, IDC_LINK_HELP, IDC_LINK_BUY})
    wizard.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  ASSERT_EQ(answered.shellRequests.size(), 4u);
  const ShellRequest& home = answered.shellRequests[0];
  if (HasHomePage()) {
    EXPECT_EQ(home.file, kHomePageUrl);
    EXPECT_EQ(home.show, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(home.suppressErrors);
  } else {
    ExpectHelpPage(home, help, kOverviewHelpPage);
  }
  ExpectHelpPage(answered.shellRequests[1], help, kSupportHelpPage);
  // Help opens the help file as F1 does.
  EXPECT_EQ(answered.shellRequests[2].file, help);
  EXPECT_TRUE(answered.shellRequests[2].parameters.empty());
  ExpectHelpPage(answered.shellRequests[3], help, kFreeOfChargeHelpPage);
  EXPECT_TRUE(answered.boxes.empty());
}

// A page the links name but the help file lacks opens the viewer on an error.
// The help file's directory keeps the names of its pages uncompressed.
TEST(WizardHelpTest, TheBuiltHelpFileHoldsEveryPageTheLinksOpen) {
  std::ifstream chm(framework::ProgramFolder() + "\\" + kHelpFileName, std::ios::binary);
  if (!chm) GTEST_SKIP() << "no help file was built";
  std::stringstream bytes;
  bytes << chm.rdbuf();
  for (const char* page : {kOverviewHelpPage, kSupportHelpPage, kFreeOfChargeHelpPage})
    EXPECT_NE(bytes.str().find(std::string("/") + page), std::string::npos) << page;
}

TEST_F(WizardTest, F1AndTheHelpPageLinksReportAMissingHelpFileInTheWizardsBox) {
  TempFolder empty;
  WizardTestAccess::ProgramDir(wizard) = empty.Path();
  for (int id : {IDC_LINK_SUPPORT, IDC_LINK_BUY})
    wizard.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  ASSERT_EQ(answered.boxes.size(), 2u);
  for (const AskedBox& box : answered.boxes) EXPECT_EQ(box.text, " Oxbrim Tessel IncrediMail.chm not found");
  answered.boxes.clear();
  wizard.commands.clear();

  PostKey(Control(IDC_PROCEED_STORE), VK_F1);
  PumpFor(50);
  ASSERT_EQ(answered.boxes.size(), 1u);
  const AskedBox& box = answered.boxes[0];
  EXPECT_EQ(box.text, " Oxbrim Tessel IncrediMail.chm not found");
  EXPECT_EQ(box.caption, kProductTitle);
  EXPECT_EQ(box.style, 0x40u);
  EXPECT_EQ(box.background.fillEffect, 12);
  EXPECT_EQ(box.background.colourBegin, 0x86FDF7u);
  EXPECT_EQ(box.background.colourMiddle, 0xFFFFFFu);
  EXPECT_EQ(box.background.colourEnd, 0x86FDF7u);
  EXPECT_EQ(box.background.separatorStyle, 0);
  EXPECT_EQ(box.background.separatorAlignment, 2);
  EXPECT_TRUE(answered.shellRequests.empty());
  // Consumed: the control under the key did not receive a help request.
  EXPECT_TRUE(wizard.commands.empty());
}

TEST_F(WizardTest, F1OpensTheHelpFileAndAFolderEndingInABackslashGetsNoSecondOne) {
  TempFolder folder;
  folder.CreateFile(kHelpFileName);
  const std::string expected = folder.Path() + "\\" + kHelpFileName;
  for (const std::string& start : {folder.Path(), folder.Path() + "\\"}) {
    answered.shellRequests.clear();
    WizardTestAccess::ProgramDir(wizard) = start;
    EXPECT_EQ(wizard.HelpFilePath(), expected);
    PostKey(wizard.m_hWnd, VK_F1);
    PumpFor(50);
    ASSERT_EQ(answered.shellRequests.size(), 1u) << start;
    EXPECT_EQ(answered.shellRequests[0].file, expected);
    EXPECT_EQ(answered.shellRequests[0].verb, "open");
    EXPECT_EQ(answered.shellRequests[0].show, SW_SHOWNORMAL);
  }
  EXPECT_TRUE(answered.boxes.empty());
}

// A shortcut without a working folder, or a file manager, starts the program
// from anywhere: F1 still opens the help file installed beside it.
TEST(WizardHelpTest, F1FindsTheHelpFileBesideTheProgramWhateverFolderIsCurrent) {
  const std::string help = framework::ProgramFolder() + "\\" + kHelpFileName;
  if (::GetFileAttributesA(help.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no help file was built";
  TempFolder elsewhere;
  struct CurrentFolder {
    explicit CurrentFolder(const std::string& folder) {
      ::GetCurrentDirectoryA(MAX_PATH, previous);
      ::SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryA(previous); }
    char previous[MAX_PATH] = {};
  } current(elsewhere.Path());
  AnsweredDialogs answered;
  RecordingWizard wizard;
  ASSERT_TRUE(wizard.Create());
  PostKey(wizard.m_hWnd, VK_F1);
  PumpFor(50);
  EXPECT_TRUE(answered.boxes.empty());
  ASSERT_EQ(answered.shellRequests.size(), 1u);
  EXPECT_EQ(answered.shellRequests[0].file, help);
  EXPECT_EQ(answered.shellRequests[0].owner, wizard.m_hWnd);
}

TEST_F(WizardTest, LiveUpdateReportsAMissingUpdaterAndNoLeavesEverythingAsItWas) {
  TempFolder folder;
  WizardTestAccess::ProgramDir(wizard) = folder.Path() + "\\";
  wizard.SendMessage(WM_COMMAND, ID_LIVE_UPDATE);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].text, "Live Update file not found. Please re-instaill the software.");
  EXPECT_EQ(answered.boxes[0].style, 0x40u);

  folder.CreateFile(kLiveUpdateFileName);
  answered.answer = 7;
  wizard.SendMessage(WM_COMMAND, ID_LIVE_UPDATE);
  ASSERT_EQ(answered.boxes.size(), 2u);
  EXPECT_EQ(answered.boxes[1].text,
            "The application will be closed if you want to run Live Update of the software. Continue ?");
  EXPECT_EQ(answered.boxes[1].style, 0x24u);
  EXPECT_TRUE(answered.shellRequests.empty());
  EXPECT_TRUE(wizard.IsWindowVisible());

  // A box that could not be shown answers Cancel: no hand-over either.
  answered.answer = 2;
  wizard.SendMessage(WM_COMMAND, ID_LIVE_UPDATE);
  EXPECT_EQ(answered.boxes.size(), 3u);
  EXPECT_TRUE(answered.shellRequests.empty());
}

TEST_F(WizardTest, CloseAsksFirstAndNoKeepsTheWindow) {
  answered.answer = 7;
  wizard.SendMessage(WM_CLOSE);
  wizard.SendMessage(WM_COMMAND, ID_EXIT);
  ASSERT_EQ(answered.boxes.size(), 2u);
  for (const AskedBox& box : answered.boxes) {
    EXPECT_EQ(box.text, "Do you really want to exit ?");
    EXPECT_EQ(box.caption, kProductTitle);
    EXPECT_EQ(box.style, 0x24u);
  }
  EXPECT_FALSE(wizard.IsEnded());
  EXPECT_TRUE(wizard.IsWindowVisible());
  EXPECT_EQ(g_bStopRequested, 0);
  EXPECT_TRUE(answered.shellRequests.empty());
}

TEST(WizardLifetimeTest, TheWindowUnpublishesItselfWhenItGoes) {
  AnsweredDialogs answered;
  {
    CRecoveryWizardDlg wizard;
    ASSERT_TRUE(wizard.Create());
    EXPECT_EQ(g_pWizardDlg, &wizard);
  }
  EXPECT_EQ(g_pWizardDlg, nullptr);
}

TEST_F(WizardTest, DragIconIsTheWindowIcon) {
  HICON icon = reinterpret_cast<HICON>(wizard.SendMessage(WM_QUERYDRAGICON));
  EXPECT_EQ(icon, ::LoadIconA(framework::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
  EXPECT_EQ(reinterpret_cast<HICON>(wizard.SendMessage(WM_GETICON, ICON_BIG)), icon);
}

TEST_F(WizardTest, BackgroundPictureIsPaintedAtItsOwnSizeFromTheTopLeft) {
  if (!HasPicture(IDB_CHOOSE_BACKGROUND)) GTEST_SKIP() << "the background is not linked in (res/art/ incomplete)";
  BITMAP info{};
  ASSERT_TRUE(::GetObjectA(WizardTestAccess::Background(wizard), sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 765);
  EXPECT_EQ(info.bmHeight, 500);
  // A patch of the window where no control lies shows the picture's pixels.
  RECT patch{4, 40, 36, 56};
  wizard.Invalidate();
  PumpFor(50);
  std::vector<std::uint32_t> screen = ReadClientPixels(wizard.m_hWnd, patch);
  framework::UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> picture(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  ASSERT_EQ(::GetDIBits(memory.get(), WizardTestAccess::Background(wizard), 0, info.bmHeight, picture.data(), &request,
                        DIB_RGB_COLORS),
            info.bmHeight);
  int mismatches = 0;
  for (int y = patch.top; y < patch.bottom; ++y)
    for (int x = patch.left; x < patch.right; ++x)
      if (screen[(y - patch.top) * (patch.right - patch.left) + (x - patch.left)] !=
          (picture[y * info.bmWidth + x] & 0x00FFFFFF))
        ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

// Moving to a monitor of another scale (Wine has one DPI, so the test sends
// what Windows would): controls, window, picture, links and columns follow.
TEST_F(WizardTest, ADpiChangeLaysTheWindowOutAgainForTheNewScale) {
  if (!HasPicture(IDB_CHOOSE_BACKGROUND)) GTEST_SKIP() << "the background is not linked in (res/art/ incomplete)";
  RECT suggested{10, 20, 1200, 800};
  wizard.SendMessage(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpFor(50);
  RECT proceed{};
  ::GetWindowRect(Control(IDC_PROCEED_IDENTITY), &proceed);
  ::MapWindowPoints(nullptr, wizard.m_hWnd, reinterpret_cast<POINT*>(&proceed), 2);
  // 201, 275, 59 x 17 dialog units: 1.5 x 1.625 pixels each at 100%, 2.25 x 2.4375 at 150%.
  EXPECT_EQ(proceed.left, 452);
  EXPECT_EQ(proceed.top, 670);
  EXPECT_EQ(proceed.right, 585);
  EXPECT_EQ(proceed.bottom, 712);
  const RECT client = wizard.GetClientRect();
  EXPECT_EQ(client.right, 1148);  // 510 units
  EXPECT_EQ(client.bottom, 743);  // 305 units
  EXPECT_EQ(wizard.GetWindowRect().left, 10);
  BITMAP picture{};
  ASSERT_TRUE(::GetObjectA(WizardTestAccess::Background(wizard), sizeof picture, &picture));
  EXPECT_EQ(picture.bmWidth, 1148);
  EXPECT_EQ(WizardTestAccess::Link(wizard, 0).GetFaceSize().cx, 69);
  EXPECT_EQ(WizardTestAccess::List(wizard).SendMessage(LVM_GETCOLUMNWIDTH, 0), 255);
}

}  // namespace

namespace {

// Every control a screen reader reaches has a name: its own window text
// (the link pictures, Select All, the list, the progress bar, the move's rows),
// or for the search box the label just before it.
TEST_F(WizardTest, EveryControlHasANameAScreenReaderReads) {
  for (int id :
       {IDC_LINK_HOME, IDC_LINK_SUPPORT, IDC_LINK_HELP, IDC_LINK_ABOUT, IDC_LINK_BUY, IDC_PROCEED_STORE, IDC_DEEP_SCAN,
        IDC_PROCEED_ADDRESS_BOOK, IDC_PROCEED_IDENTITY, IDC_SAVE, IDC_STOP, IDC_BACK, IDC_SELECT_ALL, IDC_LIST,
        IDC_PROGRESS, IDC_INPUT_LIST, IDC_PREFIX_LINK, IDC_EXPORT_FOLDER_LINK, IDC_EXPORT_HELP_LINK})
    EXPECT_FALSE(driver::WindowText(Control(id)).empty()) << id;
  EXPECT_EQ(::GetWindow(Control(IDC_SEARCH), GW_HWNDPREV), Control(IDC_SEARCH_LABEL));
  EXPECT_EQ(driver::WindowText(Control(IDC_SEARCH_LABEL)), "Search:");
}

// With high contrast on, the picture gives way to the window colour with its
// texts in the window's text colour; off again, the picture comes back.
TEST_F(WizardTest, HighContrastTurnsThePictureIntoTheSystemsColours) {
  framework::OverrideHighContrast(1);
  // The colours of the picture the window paints behind its controls.
  auto colours = [&] {
    wizard.SendMessage(WM_SYSCOLORCHANGE);
    PumpFor(50);
    HBITMAP picture = WizardTestAccess::Background(wizard);
    BITMAP size{};
    ::GetObjectA(picture, sizeof size, &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> seen(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, picture, 0, static_cast<UINT>(size.bmHeight), seen.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    return seen;
  };
  const std::vector<std::uint32_t> plain = colours();
  framework::OverrideHighContrast(-1);
  const std::vector<std::uint32_t> pictured = colours();
  auto pixelOf = [](COLORREF colour) {
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  };
  EXPECT_EQ(plain, (std::vector<std::uint32_t>{
                       std::min(pixelOf(::GetSysColor(COLOR_WINDOW)), pixelOf(::GetSysColor(COLOR_WINDOWTEXT))),
                       std::max(pixelOf(::GetSysColor(COLOR_WINDOW)), pixelOf(::GetSysColor(COLOR_WINDOWTEXT)))}));
  EXPECT_GT(pictured.size(), 256u);
}

}  // namespace
