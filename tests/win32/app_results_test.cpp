// The results step as a user works it: select-all and check boxes, the row
// colours, the "Preview Mail" menu and the preview file, Save into a chosen
// folder (never overwriting), the prefix dialog, and the choosers' start
// folder from IncrediMail's registry values.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/file_choosers.h"
#include "app/folder_picker.h"
#include "app/message_view_dlg.h"
#include "app/scan_state.h"
#include "win32_base/wide_path.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"
#include "tests/win32/app_user_driver.h"

namespace {

using driver::ClickButton;
using driver::PumpUntil;

// A message row of the golden tsv: its record in the store.
struct Record {
  long long offset;
  long long length;
};
Record RecordOfLine(const std::string& line) {
  size_t lengthAt = line.rfind('\t');
  size_t offsetAt = line.rfind('\t', lengthAt - 1);
  return {std::stoll(line.substr(offsetAt + 1, lengthAt - offsetAt - 1)), std::stoll(line.substr(lengthAt + 1))};
}

class ResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wizard.Create());
    PumpFor(30);
    // These work on the usual scan's rows, the deep scan's box cleared.
    ClickButton(wizard.m_hWnd, IDC_DEEP_SCAN);
    previousPicker = SetFolderPickerHook([this](const std::string& start) {
      pickerStarts.push_back(start);
      return pickedFolder;
    });
  }
  void TearDown() override { SetFolderPickerHook(std::move(previousPicker)); }

  HWND Control(int id) const { return ::GetDlgItem(wizard.m_hWnd, id); }
  HWND List() const { return Control(IDC_LIST); }

  void Scan(int button, const char* title, const std::string& path) {
    driver::WindowWatch watch(
        title, [&](HWND dialog) { return driver::FillOpenDialog(dialog, path); }, wizard.m_hWnd);
    ClickButton(wizard.m_hWnd, button);
    ASSERT_TRUE(watch.Done());
    ASSERT_TRUE(PumpUntil([&] { return g_bScanRunning == 0 && ::IsWindowEnabled(Control(IDC_PROCEED_STORE)); }, 60000));
    PumpFor(30);
  }
  void ScanSampleIndex() { Scan(IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imh")); }
  std::string StoreBytes(const Record& record) const {
    return driver::ReadFileBytes(driver::SourcePath("samples/Inbox.imm"))
        .substr(static_cast<size_t>(record.offset), static_cast<size_t>(record.length));
  }
  // Clicks a row's text and picks "Preview Mail" from the menu that opens.
  int ClickRowAndPreview(int row) {
    driver::WindowWatch menu("#menu", [](HWND window) {
      ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
      return true;
    });
    ::SendMessageA(List(), LVM_ENSUREVISIBLE, row, FALSE);
    driver::ClickList(List(), driver::RowTextPoint(List(), row));
    PumpFor(300);
    return menu.Seen();
  }

  // Clicks a row's text and picks "View message"; `act` runs on the message
  // view titled `title` until it returns true, then Escape closes the view.
  void ViewMessage(int row, const std::string& title, const std::function<bool(HWND)>& act) {
    driver::WindowWatch menu("#menu", [](HWND window) {
      for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageA(window, WM_KEYDOWN, key, 0);
      return true;
    });
    int ticks = 0;
    driver::WindowWatch shown(title, [&](HWND window) {
      if (act(window) || ++ticks > 400) {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
      }
      return false;
    });
    ::SendMessageA(List(), LVM_ENSUREVISIBLE, row, FALSE);
    driver::ClickList(List(), driver::RowTextPoint(List(), row));
    EXPECT_TRUE(PumpUntil([&] { return shown.Done(); }, 20000));
    PumpFor(100);
    EXPECT_LE(ticks, 400) << "the view did not do its part";
  }
  static std::string ViewText(HWND view, int id) { return driver::WindowText(::GetDlgItem(view, id)); }

  AnsweredDialogs answered;
  RecordingWizard wizard;
  FolderPickerHook previousPicker;
  std::vector<std::string> pickerStarts;
  std::string pickedFolder;
};

TEST_F(ResultsTest, SelectAllAndACheckBoxClickChangeTheChecksAndTheRowColours) {
  ScanSampleIndex();
  ASSERT_EQ(driver::CheckedCount(List()), 13);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);  // now checked: every row checked
  EXPECT_EQ(driver::CheckedCount(List()), 13);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);
  EXPECT_EQ(driver::CheckedCount(List()), 0);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);
  EXPECT_EQ(driver::CheckedCount(List()), 13);

  // A click on row 0's check box toggles it and opens no menu.
  driver::WindowWatch menu("#menu", [](HWND window) {
    ::EndMenu();
    return true;
  });
  driver::ClickList(List(), driver::RowCheckBoxPoint(List(), 0));
  PumpFor(200);
  EXPECT_EQ(menu.Seen(), 0);
  EXPECT_FALSE(driver::IsRowChecked(List(), 0));
  EXPECT_EQ(driver::CheckedCount(List()), 12);
  EXPECT_EQ(g_nClickedItem, 0);
  EXPECT_TRUE(answered.boxes.empty());

  // Checked rows are red on pale yellow; the unchecked one keeps the defaults.
  auto paleYellowPixels = [&](int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    std::vector<std::uint32_t> pixels = ReadClientPixels(List(), bounds);
    int count = 0;
    for (std::uint32_t pixel : pixels) count += pixel == 0xFCFABA;
    return count;
  };
  WizardTestAccess::List(wizard).Invalidate();
  PumpFor(100);
  EXPECT_GT(paleYellowPixels(2), 100);
  EXPECT_EQ(paleYellowPixels(0), 0);
}

TEST_F(ResultsTest, KeyboardStartsOnTheFirstRowSpaceTogglesChecksMenuKeysOpenThePreviewAndTabFollowsTheLayout) {
  ScanSampleIndex();
  auto focusedRow = [&] { return static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); };
  auto setState = [&](int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    ::SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  };
  // After the scan the keyboard is on the list's first row.
  EXPECT_EQ(::GetFocus(), List());
  EXPECT_EQ(focusedRow(), 0);

  // Space toggles the focused row only; Select All keeps its state.
  PostKey(List(), VK_SPACE);
  PumpFor(50);
  EXPECT_FALSE(driver::IsRowChecked(List(), 0));
  EXPECT_EQ(driver::CheckedCount(List()), 12);
  EXPECT_EQ(::SendMessageA(Control(IDC_SELECT_ALL), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // With the focus among selected rows, they all follow the focused row.
  for (int row : {2, 3, 4}) setState(row, LVIS_SELECTED, LVIS_SELECTED);
  setState(3, LVIS_FOCUSED, LVIS_FOCUSED);
  PostKey(List(), VK_SPACE);
  PumpFor(50);
  EXPECT_EQ(driver::CheckedCount(List()), 9);
  for (int row : {2, 3, 4}) EXPECT_FALSE(driver::IsRowChecked(List(), row)) << row;
  PostKey(List(), VK_SPACE);
  PumpFor(50);
  EXPECT_EQ(driver::CheckedCount(List()), 12);
  EXPECT_TRUE(answered.boxes.empty());

  // Enter, Shift+F10 and the Menu key open the focused row's menu under it.
  struct MenuKey {
    const char* name;
    std::function<void()> press;
  };
  const std::vector<MenuKey> keys = {
      {"Enter", [&] { PostKey(List(), VK_RETURN); }},
      {"Shift+F10",
       [&] {
         BYTE keys[256] = {};
         ::GetKeyboardState(keys);
         keys[VK_SHIFT] = 0x80;
         ::SetKeyboardState(keys);
         ::PostMessageA(List(), WM_SYSKEYDOWN, VK_F10, 1);
       }},
      {"Menu key", [&] { ::PostMessageA(List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), -1); }},
  };
  int row = 5;
  for (const MenuKey& key : keys) {
    SCOPED_TRACE(key.name);
    setState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    answered.shellRequests.clear();
    RECT menuAt{};
    driver::WindowWatch menu("#menu", [&](HWND window) {
      ::GetWindowRect(window, &menuAt);
      ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
      return true;
    });
    key.press();
    PumpFor(300);
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_SHIFT] = 0;
    ::SetKeyboardState(state);
    EXPECT_EQ(menu.Seen(), 1);
    EXPECT_EQ(g_nClickedItem, row);
    ASSERT_EQ(answered.shellRequests.size(), 1u);
    RECT label{};
    label.left = LVIR_LABEL;
    ::SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    POINT under{label.left, label.bottom};
    ::ClientToScreen(List(), &under);
    EXPECT_NEAR(menuAt.left, under.x, 4);
    EXPECT_NEAR(menuAt.top, under.y, 4);
    row += 3;
  }
  EXPECT_TRUE(answered.boxes.empty());

  // Tab goes along the rows of the layout, top to bottom, and back to the list.
  std::vector<int> tabOrder;
  for (HWND at = List(); tabOrder.size() < 11;) {
    at = ::GetNextDlgTabItem(wizard.m_hWnd, at, FALSE);
    tabOrder.push_back(::GetDlgCtrlID(at));
  }
  EXPECT_EQ(tabOrder, (std::vector<int>{IDC_LINK_HOME, IDC_LINK_SUPPORT, IDC_LINK_HELP, IDC_LINK_ABOUT, IDC_LINK_BUY,
                                        IDC_PREFIX_LINK, IDC_SAVE, IDC_BACK, IDC_SELECT_ALL, IDC_SEARCH, IDC_LIST}));
}

TEST_F(ResultsTest, PreviewMenuCopiesTheRowsRecordIntoThePreviewFileAndOpensIt) {
  ScanSampleIndex();
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");
  for (int row : {3, 12}) {
    answered.shellRequests.clear();
    EXPECT_EQ(ClickRowAndPreview(row), 1) << row;
    EXPECT_EQ(g_nClickedItem, row);
    ASSERT_EQ(answered.shellRequests.size(), 1u) << row;
    const ShellRequest& request = answered.shellRequests[0];
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(request.file, std::string(temp) + "oxbtemp.eml");
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.show, SW_SHOWNORMAL);
    // The second preview replaces the first in the same file.
    EXPECT_EQ(driver::ReadFileBytes(request.file), StoreBytes(RecordOfLine(golden[static_cast<size_t>(row)])));
  }
  EXPECT_TRUE(::IsWindowVisible(Control(IDC_BACK)));
  EXPECT_FALSE(::IsWindowVisible(Control(IDC_STOP)));
  EXPECT_TRUE(answered.boxes.empty());
}

// "View message", the row menu's second item: the message for a person in a
// window of the program, titled with its Subject, whose attachment is saved
// decoded (never over a file being read), whose Open and Save are the row's
// Preview and Save, and which Escape closes.
TEST_F(ResultsTest, ViewMessageShowsTheMessageForAPersonAndItsButtonsWork) {
  ScanSampleIndex();
  TempFolder folder;
  pickedFolder = folder.Path();
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");
  ViewMessage(6, "Grüße aus Wien", [&](HWND window) {
    EXPECT_EQ(ViewText(window, IDC_VIEW_FROM), "Lukas Wagner <lukas@example.at>");
    EXPECT_EQ(ViewText(window, IDC_VIEW_SUBJECT), "Grüße aus Wien");
    EXPECT_EQ(ViewText(window, IDC_VIEW_DATE), "2008-03-08 17:45 +0100");
    EXPECT_NE(ViewText(window, IDC_VIEW_BODY).find("Hallo Tom,\r\n\r\nviele Grüße aus Wien! Das Wetter ist schön."),
              std::string::npos);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDC_VIEW_ATTACHMENTS)));
    // The keyboard starts in the body; Tab goes down the window and round.
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_VIEW_BODY));
    std::vector<int> order;
    for (HWND at = ::GetFocus(); order.size() < 10; at = ::GetNextDlgTabItem(window, at, FALSE))
      order.push_back(::GetDlgCtrlID(at));
    EXPECT_EQ(order, (std::vector<int>{IDC_VIEW_BODY, IDC_VIEW_OPEN, IDC_VIEW_SAVE_MESSAGE, IDCANCEL, IDC_VIEW_FROM,
                                       IDC_VIEW_TO, IDC_VIEW_CC, IDC_VIEW_DATE, IDC_VIEW_SUBJECT, IDC_VIEW_BODY}));
    return true;
  });
  EXPECT_FALSE(::IsWindow(::FindWindowW(nullptr, L"Grüße aus Wien")));  // Escape closed it

  // The store is a copy, which Save attachment must not write over when asked to.
  folder.CreateFile("Copy.imm");
  const std::string store = g_strStoreFile, copy = folder.Path() + "\\Copy.imm";
  const std::string whole = driver::ReadFileBytes(driver::SourcePath("samples/Inbox.imm"));
  std::ofstream(copy, std::ios::binary) << whole;
  g_strStoreFile = copy;
  const std::string attachment = folder.Path() + "\\sunset.gif";
  const std::string targets[] = {copy, attachment};
  int chosen = 0;
  HWND filled = nullptr;
  driver::WindowWatch chooser(CMessageViewDlg::kSaveAttachmentTitle, [&](HWND dialog) {
    if (HWND yes = ::GetDlgItem(dialog, IDYES)) {
      ::PostMessageA(yes, BM_CLICK, 0, 0);  // "replace it?": yes
    } else if (dialog != filled && chosen < 2) {
      filled = dialog;
      driver::FillOpenDialog(dialog, targets[chosen++]);
    }
    return false;
  });
  int step = 0;
  ViewMessage(3, "Re: Re: Holiday photos", [&](HWND window) {
    switch (step) {
      case 0: {
        wchar_t line[128] = {};
        ::SendDlgItemMessageW(window, IDC_VIEW_ATTACHMENTS, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
        EXPECT_EQ(tessel::Utf8OfWide(line), "sunset.gif (43 bytes)");
        ::PostMessageA(::GetDlgItem(window, IDC_VIEW_SAVE_ATTACHMENT), BM_CLICK, 0, 0);
        break;
      }
      case 1:  // the store refused; the attachment's own file next
        if (answered.boxes.empty()) return false;
        ::PostMessageA(::GetDlgItem(window, IDC_VIEW_SAVE_ATTACHMENT), BM_CLICK, 0, 0);
        break;
      case 2:
        if (driver::ReadFileBytes(attachment).size() != 43) return false;
        ::PostMessageA(::GetDlgItem(window, IDC_VIEW_OPEN), BM_CLICK, 0, 0);
        break;
      case 3:
        if (answered.shellRequests.empty()) return false;
        ::PostMessageA(::GetDlgItem(window, IDC_VIEW_SAVE_MESSAGE), BM_CLICK, 0, 0);
        break;
      default:
        return answered.boxes.size() == 2;
    }
    ++step;
    return false;
  });
  g_strStoreFile = store;
  EXPECT_EQ(driver::ReadFileBytes(copy), whole);
  // The attachment decoded; the preview and the saved file the stored bytes.
  EXPECT_EQ(driver::ReadFileBytes(attachment).substr(0, 6), "GIF89a");
  ::DeleteFileA(attachment.c_str());
  const std::string stored = StoreBytes(RecordOfLine(golden[3]));
  ASSERT_EQ(answered.shellRequests.size(), 1u);
  EXPECT_EQ(driver::ReadFileBytes(answered.shellRequests[0].file), stored);
  const std::string saved = folder.Path() + "\\MailRec0004.eml";
  EXPECT_EQ(driver::ReadFileBytes(saved), stored);
  ::DeleteFileA(saved.c_str());
  ASSERT_EQ(answered.boxes.size(), 2u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text), "The attachment is not saved: " + copy + " is a file being read.");
  EXPECT_EQ(answered.boxes[1].text, "1 file written to <a href=\"" + folder.Path() + "\">" + folder.Path() + "</a>.");
}

TEST_F(ResultsTest, ThePreviewsShellCallBelongsToTheWizardAndStopMeanwhileAsksNothing) {
  ScanSampleIndex();
  // The shell answers slowly (its "no program" error, say): the user presses Stop.
  bool stopShown = false;
  std::vector<ShellRequest> requests;
  ShellOpenHook answering = SetShellOpenHook([&](const ShellRequest& request) {
    requests.push_back(request);
    stopShown = ::IsWindowVisible(Control(IDC_STOP)) != FALSE;
    ClickButton(wizard.m_hWnd, IDC_STOP);
    PumpFor(50);
  });
  EXPECT_EQ(ClickRowAndPreview(2), 1);
  SetShellOpenHook(std::move(answering));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].owner, wizard.m_hWnd);
  EXPECT_TRUE(stopShown);
  EXPECT_TRUE(answered.boxes.empty());
  EXPECT_EQ(g_bStopRequested, 0);
  EXPECT_TRUE(::IsWindowVisible(Control(IDC_BACK)) && !::IsWindowVisible(Control(IDC_STOP)));
}

TEST_F(ResultsTest, PreviewSaysWhenTheStoreCannotBeReadOrThePreviewFileCannotBeWritten) {
  ScanSampleIndex();
  const std::string store = g_strStoreFile;
  g_strStoreFile = driver::SourcePath("samples/Missing.imm");
  ClickRowAndPreview(0);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text),
            "The message cannot be previewed: the message store " + g_strStoreFile + " cannot be read.");
  EXPECT_EQ(answered.boxes[0].style, 0x40u);
  g_strStoreFile = store;

  // A folder where the preview file belongs cannot be replaced by a file.
  const std::string preview = CRecoveryWizardDlg::PreviewFilePath();
  ::DeleteFileA(preview.c_str());
  ASSERT_TRUE(::CreateDirectoryA(preview.c_str(), nullptr));
  ClickRowAndPreview(0);
  ::RemoveDirectoryA(preview.c_str());
  ASSERT_EQ(answered.boxes.size(), 2u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[1].text),
            "The message cannot be previewed: the preview file " + preview + " cannot be written.");
  EXPECT_TRUE(answered.shellRequests.empty());
}

TEST_F(ResultsTest, ContactsHaveNoPreviewMenu) {
  Scan(IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle, driver::SourcePath("samples/Contacts.imb"));
  EXPECT_EQ(ClickRowAndPreview(1), 0);
  EXPECT_EQ(g_nClickedItem, 1);
  EXPECT_TRUE(answered.shellRequests.empty());
}

TEST_F(ResultsTest, SaveWritesTheCheckedMessagesAsTesselExportDoesAndNeverOverwrites) {
  ScanSampleIndex();
  TempFolder folder;
  pickedFolder = folder.Path();
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");

  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);  // every row unchecked
  ClickButton(wizard.m_hWnd, IDC_SAVE);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].text, "Please select files for save");
  EXPECT_TRUE(pickerStarts.empty());

  WizardTestAccess::List(wizard).SetChecked(1, true);
  WizardTestAccess::List(wizard).SetChecked(12, true);
  for (int round = 0; round < 2; ++round) {
    ClickButton(wizard.m_hWnd, IDC_SAVE);
    const std::string suffix = round == 0 ? "" : " (2)";
    for (int row : {1, 12}) {
      char name[64];
      std::snprintf(name, sizeof name, "MailRec%04d%s.eml", row + 1, suffix.c_str());
      std::string path = folder.Path() + "\\" + name;
      EXPECT_EQ(driver::ReadFileBytes(path), StoreBytes(RecordOfLine(golden[static_cast<size_t>(row)]))) << path;
      ::DeleteFileA(path.c_str());              // after the second round; the first stays for it
      if (round == 0) folder.CreateFile(name);  // kept, emptied: the next save must not touch it
    }
    ASSERT_EQ(answered.boxes.size(), 2u + round);
    EXPECT_EQ(answered.boxes.back().text,
              "2 files written to <a href=\"" + folder.Path() + "\">" + folder.Path() + "</a>.");
  }
  // Documents first, then the folder chosen last.
  ASSERT_EQ(pickerStarts.size(), 2u);
  EXPECT_EQ(pickerStarts[0], DocumentsFolder());
  EXPECT_EQ(pickerStarts[1], folder.Path());
}

// A store that ends inside a checked message: Save keeps the bytes there are
// and says the file is cut short, in the error look; Preview still shows it.
TEST_F(ResultsTest, ARecordCutShortBySaveOrPreviewKeepsTheStoresBytesAndSaveSaysSo) {
  ScanSampleIndex();
  TempFolder folder;
  pickedFolder = folder.Path();
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");
  const Record cut = RecordOfLine(golden[12]);
  folder.CreateFile("Cut.imm");
  const std::string cutStore = folder.Path() + "\\Cut.imm";
  const std::string whole = driver::ReadFileBytes(driver::SourcePath("samples/Inbox.imm"));
  std::ofstream(cutStore, std::ios::binary) << whole.substr(0, static_cast<size_t>(cut.offset) + 100);
  const std::string store = g_strStoreFile;
  g_strStoreFile = cutStore;

  EXPECT_EQ(ClickRowAndPreview(12), 1);
  // The message view says what is missing.
  ViewMessage(12, "Photos from Vienna", [](HWND window) {
    EXPECT_EQ(ViewText(window, IDC_VIEW_BODY)
                  .rfind("[The message store ends 100 bytes into this message: the rest of "
                         "it is missing]\r\n\r\n",
                         0),
              0u);
    return true;
  });
  ASSERT_EQ(answered.shellRequests.size(), 1u);
  EXPECT_EQ(driver::ReadFileBytes(answered.shellRequests[0].file), whole.substr(static_cast<size_t>(cut.offset), 100));
  EXPECT_TRUE(answered.boxes.empty());

  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);  // every row unchecked
  WizardTestAccess::List(wizard).SetChecked(1, true);
  WizardTestAccess::List(wizard).SetChecked(12, true);
  ClickButton(wizard.m_hWnd, IDC_SAVE);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text), "2 files written to <a href=\"" + folder.Path() + "\">" +
                                                       folder.Path() + "</a>; 1 cut short where the store ends.");
  EXPECT_EQ(answered.boxes[0].style, 0x10u);
  const std::string first = folder.Path() + "\\MailRec0002.eml", cutFile = folder.Path() + "\\MailRec0013.eml";
  EXPECT_EQ(driver::ReadFileBytes(first), StoreBytes(RecordOfLine(golden[1])));
  EXPECT_EQ(driver::ReadFileBytes(cutFile), whole.substr(static_cast<size_t>(cut.offset), 100));
  ::DeleteFileA(first.c_str());
  ::DeleteFileA(cutFile.c_str());
  g_strStoreFile = store;
}

TEST_F(ResultsTest, SaveWritesCheckedContactsAsTesselContactsDoes) {
  Scan(IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle, driver::SourcePath("samples/Contacts.imb"));
  TempFolder folder;
  pickedFolder = folder.Path();
  ClickButton(wizard.m_hWnd, IDC_SAVE);
  EXPECT_EQ(driver::ReadFileBytes(folder.Path() + "\\AddBook.txt"),
            driver::ReadFileBytes(driver::SourcePath("tests/data/wizard/Contacts.imb.txt")));
  EXPECT_EQ(driver::ReadFileBytes(folder.Path() + "\\AddBook.vcf"),
            driver::ReadFileBytes(driver::SourcePath("tests/data/wizard/Contacts.imb.vcf")));
  ::DeleteFileA((folder.Path() + "\\AddBook.txt").c_str());
  ::DeleteFileA((folder.Path() + "\\AddBook.vcf").c_str());
  ASSERT_EQ(answered.boxes.size(), 1u);
  // The sample's blank record is listed, and Save says it left it out.
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text), "2 files written to <a href=\"" + folder.Path() + "\">" +
                                                       folder.Path() + "</a>; 1 blank contact record left out.");
  // A name outside ASCII is found: the typed text is looked for as the book's code-page bytes.
  ::SetWindowTextW(Control(IDC_SEARCH), L"J\u00e9r\u00f4me");
  PumpFor(50);
  EXPECT_EQ(WizardTestAccess::List(wizard).ShownCount(), 1);
}

TEST_F(ResultsTest, PrefixDialogRefusesEmptyAndIllegalPrefixesAndCancelKeepsTheOldOne) {
  const char* kCaption = "Oxbrim Tessel (File Name Setting)";
  std::vector<std::string> shown;
  int step = 0;
  auto setAndPress = [&](HWND dialog, const char* text, int button) {
    shown.push_back(driver::WindowText(::GetDlgItem(dialog, IDC_PREFIX_EDIT)));
    ::SetDlgItemTextA(dialog, IDC_PREFIX_EDIT, text);
    ::SendMessageA(::GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  };
  {
    const char* inputs[] = {"", "mail:box", "it's", "My Mail"};
    driver::WindowWatch watch(kCaption, [&](HWND dialog) {
      setAndPress(dialog, inputs[step], IDOK);
      return ++step == 4;
    });
    wizard.SendMessage(WM_SYSCOMMAND, IDM_FILE_PREFIX);
    EXPECT_TRUE(watch.Done());
  }
  EXPECT_EQ(shown.front(), "MailRec");
  ASSERT_EQ(answered.boxes.size(), 3u);
  EXPECT_EQ(answered.boxes[0].text, "Please fill prefix");
  EXPECT_EQ(answered.boxes[1].text, "Illegal character found in file prefix ");
  EXPECT_EQ(answered.boxes[2].text, "Illegal character found in file prefix ");
  for (const AskedBox& box : answered.boxes) {
    EXPECT_EQ(box.caption, "Oxbrim Tessel Quillon");
    EXPECT_EQ(box.style, 0x40u);
  }
  EXPECT_EQ(wizard.FilePrefix(), "My Mail");

  driver::WindowWatch cancel(kCaption, [&](HWND dialog) {
    setAndPress(dialog, "Other", IDCANCEL);
    return true;
  });
  wizard.SendMessage(WM_COMMAND, ID_SETTINGS);
  EXPECT_TRUE(cancel.Done());
  EXPECT_EQ(shown.back(), "My Mail");
  EXPECT_EQ(wizard.FilePrefix(), "My Mail");
}

// IncrediMail's keys, made for a test and removed after it.
class IncrediMailKeys {
 public:
  IncrediMailKeys(const std::string& applicationPath, const std::string& identity) {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\IncrediMail\\Identities", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &m_identities, nullptr);
    ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\IncrediMail", 0, KEY_ALL_ACCESS, &m_root);
    // Wide, as IncrediMail writes them: a folder may be named outside the system code page.
    SetString(m_identities, nullptr, identity);
    SetString(m_root, L"ApplicationPath", applicationPath);
  }
  ~IncrediMailKeys() {
    ::RegCloseKey(m_identities);
    ::RegCloseKey(m_root);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\IncrediMail\\Identities");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\IncrediMail");
  }
  HKEY Root() const { return m_root; }

 private:
  static void SetString(HKEY key, const wchar_t* name, const std::string& utf8) {
    const std::wstring value = tessel::WidePath(utf8);
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }

  HKEY m_root = nullptr;
  HKEY m_identities = nullptr;
};

TEST_F(ResultsTest, ChoosersStartInTheIdentityFolderFromIncrediMailsRegistryValues) {
  TempFolder data;
  ::CreateDirectoryA((data.Path() + "\\Identities").c_str(), nullptr);
  const std::string identityFolder = data.Path() + "\\Identities\\ID1";
  ::CreateDirectoryA(identityFolder.c_str(), nullptr);
  IncrediMailKeys keys(data.Path() + "\\", "ID1");
  EXPECT_EQ(IncrediMailIdentityFolder("C:\\Data", "ID1"), "C:\\Data\\Identities\\ID1\\");
  EXPECT_EQ(IncrediMailIdentityFolder("C:\\Data\\", "ID1"), "C:\\Data\\Identities\\ID1\\");
  EXPECT_EQ(IncrediMailIdentityFolder("", ""), "\\Identities\\\\");

  std::string folder;
  driver::WindowWatch watch(kAddressBookChooserTitle, [&](HWND dialog) {
    // The dialog is the wide one: its own messages answer in wide characters.
    wchar_t path[MAX_PATH] = {};
    ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
    folder = tessel::Utf8OfWide(path);
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return true;
  });
  char current[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, current);
  ClickButton(wizard.m_hWnd, IDC_PROCEED_ADDRESS_BOOK);
  ::SetCurrentDirectoryA(current);  // the dialog leaves its folder current
  ::RemoveDirectoryA(identityFolder.c_str());
  ::RemoveDirectoryA((data.Path() + "\\Identities").c_str());
  EXPECT_TRUE(watch.Done());
  std::string expected = identityFolder;
  ::CharLowerA(folder.data());
  ::CharLowerA(expected.data());
  EXPECT_EQ(folder, expected);
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
}

TEST_F(ResultsTest, WithoutRegistryValuesTheStoreChooserOpensInIncrediMailsIdentitiesElseDocumentsIndexesShown) {
  char local[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
  const std::string im = std::string(local) + "\\IM";
  const std::string identities = im + "\\Identities";
  if (::GetFileAttributesA(im.c_str()) != INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << im << " exists already";
  ASSERT_TRUE(::CreateDirectoryA(im.c_str(), nullptr) && ::CreateDirectoryA(identities.c_str(), nullptr));

  // The folder the chooser opens in, its filter entries and the one shown.
  struct Opened {
    std::string folder;
    std::vector<std::string> filters;
    int shown = -1;
  };
  auto open = [&] {
    Opened opened;
    driver::WindowWatch watch(kStoreChooserTitle, [&](HWND dialog) {
      wchar_t folder[MAX_PATH] = {};
      ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
      opened.folder = tessel::Utf8OfWide(folder);
      char text[MAX_PATH] = {};
      ::CharLowerA(opened.folder.data());
      HWND types = ::GetDlgItem(dialog, cmb1);
      for (int i = 0; i < ::SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
        ::SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        opened.filters.push_back(text);
      }
      opened.shown = static_cast<int>(::SendMessageA(types, CB_GETCURSEL, 0, 0));
      ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      return true;
    });
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ClickButton(wizard.m_hWnd, IDC_PROCEED_STORE);
    // The dialog leaves its folder current, which would keep it from being removed.
    ::SetCurrentDirectoryA(current);
    EXPECT_TRUE(watch.Done());
    return opened;
  };
  auto lower = [](std::string path) {
    ::CharLowerA(path.data());
    return path;
  };
  const Opened inIdentities = open();
  EXPECT_TRUE(::RemoveDirectoryA(identities.c_str())) << ::GetLastError();
  EXPECT_TRUE(::RemoveDirectoryA(im.c_str())) << ::GetLastError();
  EXPECT_EQ(inIdentities.folder, lower(identities));
  EXPECT_EQ(inIdentities.filters,
            (std::vector<std::string>{"IncrediMail index (*.imh)", "IncrediMail message store (*.imm)",
                                      "All IncrediMail files", "All files"}));
  EXPECT_EQ(inIdentities.shown, 0);
  EXPECT_EQ(open().folder, lower(DocumentsFolder()));
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
}

TEST_F(ResultsTest, RegistryValuesAreReadWithReadAccessOnlyAndTooLongOnesCountAsMissing) {
  IncrediMailKeys keys("C:\\Data", "ID1");
  std::string value = "before";
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\IncrediMail", "ApplicationPath", value), 1);
  EXPECT_EQ(value, "C:\\Data");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\IncrediMail\\Identities", nullptr, value), 1);
  EXPECT_EQ(value, "ID1");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\NoSuchProgram", "x", value), 0);
  EXPECT_EQ(value, "ID1");  // a key that cannot be opened leaves the string
  const std::string fits(255, 'x');
  const std::string tooLong(256, 'x');
  ::RegSetValueExA(keys.Root(), "Fits", 0, REG_SZ, reinterpret_cast<const BYTE*>(fits.c_str()), 256);
  ::RegSetValueExA(keys.Root(), "TooLong", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()), 257);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\IncrediMail", "Fits", value), 1);
  EXPECT_EQ(value, fits);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\IncrediMail", "TooLong", value), 0);
  EXPECT_EQ(value, "");

  // A key the user may read but not change.
  SECURITY_DESCRIPTOR descriptor;
  ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<ACL*>(aclBuffer);
  ::InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone);
  ::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  ASSERT_EQ(::RegSetKeySecurity(keys.Root(), DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
  HKEY full = nullptr;
  LONG fullAccess = ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\IncrediMail", 0, KEY_ALL_ACCESS, &full);
  if (full) ::RegCloseKey(full);
  value.clear();
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\IncrediMail", "ApplicationPath", value), 1);
  EXPECT_EQ(value, "C:\\Data");
  // Back to full access so that the keys can go.
  ::SetSecurityDescriptorDacl(&descriptor, FALSE, nullptr, FALSE);
  ::RegSetKeySecurity(keys.Root(), DACL_SECURITY_INFORMATION, &descriptor);
  ::FreeSid(everyone);
  if (fullAccess == ERROR_SUCCESS) GTEST_SKIP() << "this system grants full access despite the key's access list";
}

// A user on a Western Windows (code page 1252) whose mail lies in a folder
// named "Почта": the store chooser opens there from IncrediMail's registry
// values, the index chosen in the real dialog lists what tessel lists, preview
// reads the store, a prefix in Cyrillic is taken, and Save writes the store's
// bytes into a folder named "Сохранено", chosen in the real folder picker, and
// names it in its notice.
TEST_F(ResultsTest, AStoreInAFolderOutsideTheCodePageScansPreviewsAndSavesIntoAnotherSuchFolder) {
  TempFolder temp;
  const std::string mail = temp.Path() + "\\Почта";
  const std::string identity = mail + "\\Identities\\Личность";
  const std::string saved = temp.Path() + "\\Сохранено";
  const std::vector<std::string> folders = {mail, mail + "\\Identities", identity, saved};
  const std::vector<std::string> files = {identity + "\\Inbox.imh", identity + "\\Inbox.imm",
                                          saved + "\\Письмо0002.eml", saved + "\\Письмо0013.eml"};
  // Whatever the wizard wrote goes too, so that a failed run leaves nothing behind.
  struct Cleanup {
    const std::vector<std::string>& folders;
    ~Cleanup() {
      for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const std::wstring wide = tessel::WidePath(*folder) + L"\\";
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((wide + L"*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
          ::DeleteFileW((wide + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
        ::RemoveDirectoryW(wide.c_str());
      }
    }
  } cleanup{folders};
  for (const std::string& folder : folders)
    ASSERT_TRUE(::CreateDirectoryW(tessel::WidePath(folder).c_str(), nullptr)) << folder;
  for (const std::string& file : {files[0], files[1]}) {
    const std::string sample = driver::SourcePath("samples/" + file.substr(file.rfind('\\') + 1));
    ASSERT_TRUE(::CopyFileW(tessel::WidePath(sample).c_str(), tessel::WidePath(file).c_str(), TRUE)) << file;
  }
  IncrediMailKeys keys(mail, "Личность");

  std::wstring openedIn;
  driver::WindowWatch chooser(
      kStoreChooserTitle,
      [&](HWND dialog) {
        wchar_t folder[MAX_PATH] = {};
        ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
        openedIn = folder;
        return driver::FillOpenDialog(dialog, files[0]);
      },
      wizard.m_hWnd);
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  ClickButton(wizard.m_hWnd, IDC_PROCEED_STORE);
  // The dialog leaves its folder current, which would keep it from being removed.
  ::SetCurrentDirectoryW(current);
  ASSERT_TRUE(chooser.Done());
  ASSERT_TRUE(PumpUntil([&] { return g_bScanRunning == 0 && ::IsWindowEnabled(Control(IDC_PROCEED_STORE)); }, 60000));
  PumpFor(30);
  std::wstring expectedStart = tessel::WidePath(identity);
  ::CharLowerW(openedIn.data());
  ::CharLowerW(expectedStart.data());
  EXPECT_EQ(tessel::Utf8OfWide(openedIn), tessel::Utf8OfWide(expectedStart));
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");
  EXPECT_EQ(driver::WideListLines(List()), golden);
  EXPECT_EQ(g_strStoreFile, files[1]);

  EXPECT_EQ(ClickRowAndPreview(3), 1);
  ASSERT_EQ(answered.shellRequests.size(), 1u);
  EXPECT_EQ(driver::ReadFileBytes(answered.shellRequests[0].file), StoreBytes(RecordOfLine(golden[3])));

  // A prefix typed in the same script, key by key; a dialog still open after
  // OK refused it and is cancelled.
  int typed = 0;
  driver::WindowWatch prefix("Oxbrim Tessel (File Name Setting)", [&typed](HWND dialog) {
    if (typed++ > 0) {
      ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      return true;
    }
    HWND edit = ::GetDlgItem(dialog, IDC_PREFIX_EDIT);
    ::SetWindowTextW(edit, L"");
    for (wchar_t c : tessel::WidePath("Письмо")) ::PostMessageW(edit, WM_CHAR, c, 1);
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return false;
  });
  wizard.SendMessage(WM_SYSCOMMAND, IDM_FILE_PREFIX);
  ASSERT_EQ(wizard.FilePrefix(), "Письмо");

  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);
  ClickButton(wizard.m_hWnd, IDC_SELECT_ALL);  // every row unchecked
  WizardTestAccess::List(wizard).SetChecked(1, true);
  WizardTestAccess::List(wizard).SetChecked(12, true);
  // The system's folder picker, typed into as a user does.
  FolderPickerHook fixture = SetFolderPickerHook(nullptr);
  driver::WindowWatch picker(
      "Select the folder to save the recovered items in",
      [&](HWND dialog) { return driver::FillOpenDialog(dialog, saved); }, wizard.m_hWnd);
  ClickButton(wizard.m_hWnd, IDC_SAVE);
  ::SetCurrentDirectoryW(current);
  SetFolderPickerHook(std::move(fixture));
  EXPECT_TRUE(picker.Done());
  EXPECT_EQ(driver::ReadFileBytes(files[2]), StoreBytes(RecordOfLine(golden[1])));
  EXPECT_EQ(driver::ReadFileBytes(files[3]), StoreBytes(RecordOfLine(golden[12])));
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].text, "2 files written to <a href=\"" + saved + "\">" + saved + "</a>.");
}

}  // namespace

namespace {

// Clicks the list's header over `column`, as the mouse does.
void ClickHeader(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  // Scrolled to it first, as a person would to reach a column past the list's right edge.
  RECT shown{};
  shown.top = column;
  shown.left = LVIR_BOUNDS;
  ::SendMessageA(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&shown));
  ::SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(shown.left), 0);
  PumpFor(30);
  RECT item{};
  ::SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(header, WM_LBUTTONUP, 0, at);
  PumpFor(100);
}

int HeaderArrow(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  HDITEMA item{};
  item.mask = HDI_FORMAT;
  ::SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
  return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
}

// A key pressed with Ctrl held, as the keyboard's state tells the window.
void PostCtrlKey(HWND window, WPARAM key) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  PostKey(window, key);
  PumpFor(50);
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// Finding mail in the list: a header click sorts (Date by the message's time),
// a second reverses, and the header shows the arrow; typing in the search box
// shows only the rows whose From, Subject or To hold the text, the count says
// how many show, the hidden rows keep their ticks and Save says it wrote them
// too; Ctrl+A selects the shown rows and leaves the ticks alone.
TEST_F(ResultsTest, HeaderClicksSortTheSearchBoxFiltersAndCtrlASelectsTheShownRows) {
  ScanSampleIndex();
  CRecoveredListCtrl& list = WizardTestAccess::List(wizard);
  const std::vector<std::string> golden = driver::GoldenLines("Inbox.imh");
  const std::vector<tessel::MessageRecord> records = [&] {
    std::vector<tessel::MessageRecord> all;
    for (int row = 0; row < list.RowCount(); ++row) all.push_back(list.Message(row)->record);
    return all;
  }();
  auto shownDates = [&] {
    std::vector<std::string> dates;
    for (int position = 0; position < list.ShownCount(); ++position)
      dates.emplace_back(list.DateUtc(list.RowAt(position)));
    return dates;
  };
  auto datedFirst = [](std::vector<std::string> dates, bool ascending) {
    std::stable_sort(dates.begin(), dates.end(), [&](const std::string& a, const std::string& b) {
      if (a.empty() != b.empty()) return b.empty();
      return ascending ? a < b : b < a;
    });
    return dates;
  };

  ClickHeader(List(), tessel::kDateCell);
  const std::vector<std::string> ascending = shownDates();
  EXPECT_EQ(ascending, datedFirst(ascending, true));
  EXPECT_NE(ascending.front(), ascending.back());
  EXPECT_EQ(HeaderArrow(List(), tessel::kDateCell), HDF_SORTUP);
  ClickHeader(List(), tessel::kDateCell);
  EXPECT_EQ(shownDates(), datedFirst(ascending, false));
  EXPECT_EQ(HeaderArrow(List(), tessel::kDateCell), HDF_SORTDOWN);
  // The shown lines are the scan's rows reordered; the rows themselves stay.
  std::vector<std::string> shown = driver::WideListLines(List()), sorted = golden;
  EXPECT_NE(shown, golden);
  std::sort(shown.begin(), shown.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(shown, sorted);
  for (int row = 0; row < list.RowCount(); ++row) EXPECT_EQ(list.Message(row)->record, records[row]) << row;
  ClickHeader(List(), tessel::kFromCell);
  EXPECT_EQ(HeaderArrow(List(), tessel::kDateCell), 0);
  EXPECT_EQ(HeaderArrow(List(), tessel::kFromCell), HDF_SORTUP);

  // Typed into the search box key by key, in another case than the mail's.
  HWND search = Control(IDC_SEARCH);
  ASSERT_TRUE(::IsWindowVisible(search));
  for (char c : std::string("ANNA")) ::PostMessageA(search, WM_CHAR, static_cast<WPARAM>(c), 1);
  PumpFor(100);
  int matching = 0;
  for (const std::string& line : golden) {
    const std::string headerCells = line.substr(0, line.find('\t', line.find('\t', line.find('\t') + 1) + 1));
    matching += Lower(headerCells).find("anna") != std::string::npos;
  }
  ASSERT_GT(matching, 0);
  ASSERT_LT(matching, 13);
  const std::vector<std::string> found = driver::WideListLines(List());
  ASSERT_EQ(static_cast<int>(found.size()), matching);
  for (const std::string& line : found) EXPECT_NE(Lower(line).find("anna"), std::string::npos) << line;
  EXPECT_NE(driver::WindowText(Control(IDC_INSTRUCTION)).find(std::to_string(matching) + " of 13 shown"),
            std::string::npos);
  EXPECT_EQ(list.CheckedRows().size(), 13u);

  // Ctrl+A on the list: every shown row selected, no tick changed.
  ::SetFocus(List());
  PostCtrlKey(List(), 'A');
  EXPECT_EQ(::SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0), matching);
  EXPECT_EQ(list.CheckedRows().size(), 13u);

  TempFolder folder;
  pickedFolder = folder.Path();
  ClickButton(wizard.m_hWnd, IDC_SAVE);
  for (int row = 0; row < 13; ++row) {
    char name[64];
    std::snprintf(name, sizeof name, "\\MailRec%04d.eml", row + 1);
    ::DeleteFileA((folder.Path() + name).c_str());
  }
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text), "13 files written to <a href=\"" + folder.Path() + "\">" +
                                                       folder.Path() + "</a>." + std::to_string(13 - matching) +
                                                       " ticked messages that the search hides were saved too.");

  // The search emptied: every row again, and the count as after the scan.
  ::SetWindowTextA(search, "");
  PumpFor(50);
  EXPECT_EQ(list.ShownCount(), 13);
  EXPECT_EQ(driver::WindowText(Control(IDC_INSTRUCTION)).find("shown"), std::string::npos);
}

// Files dropped on the window as the shell drops them: each starts as its
// Proceed would, a store's index its scan, an address book the contacts'
// (over the results of the one before), a folder the move of all it holds.
TEST_F(ResultsTest, AFileOrFolderDroppedOnTheWindowStartsItsScanOrMove) {
  auto drop = [&](const std::string& path) {
    const std::wstring wide = tessel::WidePath(path);
    const size_t bytes = sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), wide.c_str(), wide.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::PostMessageA(wizard.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpFor(100);
    return PumpUntil([&] { return g_bScanRunning == 0; }, 60000);
  };
  ASSERT_TRUE(drop(driver::SourcePath("samples/Inbox.imh")));
  EXPECT_EQ(WizardTestAccess::Step(wizard), 2);
  EXPECT_EQ(driver::WideListLines(List()), driver::GoldenLines("Inbox.imh"));
  // A search left in the box ends with its list: the next scan shows every row.
  ::SetWindowTextA(Control(IDC_SEARCH), "no such text");
  ASSERT_TRUE(drop(driver::SourcePath("samples/Contacts.imb")));
  EXPECT_EQ(driver::WindowText(Control(IDC_SEARCH)), "");
  EXPECT_EQ(WizardTestAccess::Step(wizard), 2);
  EXPECT_EQ(driver::ListLines(List()), driver::GoldenLines("Contacts.imb"));

  TempFolder output;
  pickedFolder = output.Path();
  ASSERT_TRUE(drop(driver::SourcePath("samples")));
  EXPECT_EQ(WizardTestAccess::Step(wizard), 3);
  EXPECT_EQ(pickerStarts.size(), 1u);  // the output folder is asked for, as Proceed asks
  EXPECT_EQ(::SendMessageA(Control(IDC_INPUT_LIST), LVM_GETITEMCOUNT, 0, 0), 2);  // the index with its store, the book
  std::filesystem::remove_all(output.Path() + "\\Recovered mail");
}

// The link beside Save names the saved files and opens the prefix dialog from
// the keyboard (Tab to it, Enter); the name it shows follows the new prefix.
TEST_F(ResultsTest, TheLinkBesideSaveOpensThePrefixDialog) {
  ScanSampleIndex();
  HWND link = Control(IDC_PREFIX_LINK);
  ASSERT_TRUE(::IsWindowVisible(link));
  EXPECT_NE(driver::WindowText(link).find("MailRec0001.eml"), std::string::npos);
  driver::WindowWatch dialog("Oxbrim Tessel (File Name Setting)", [](HWND window) {
    ::SetDlgItemTextA(window, IDC_PREFIX_EDIT, "Letter");
    ::PostMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    return true;
  });
  wizard.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(link), TRUE);
  PostKey(link, VK_RETURN);
  PumpFor(300);
  EXPECT_TRUE(dialog.Done());
  EXPECT_EQ(wizard.FilePrefix(), "Letter");
  EXPECT_NE(driver::WindowText(link).find("Letter0001.eml"), std::string::npos);
}
