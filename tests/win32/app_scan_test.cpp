// The wizard's scan as a user drives it: "Proceed ...", the real open-file
// dialog, the list filling, Stop and Back, a second scan in the other mode.
// What the list shows is read back from the control and compared with
// `tessel scan --readable --format tsv` of the same file (tests/data/wizard/*.tsv, which
// the command line's own tests check against tessel).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/file_choosers.h"
#include "app/product.h"
#include "app/scan_state.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"
#include "tests/win32/app_user_driver.h"

namespace {

using driver::ClickButton;
using driver::PumpUntil;

constexpr DWORD kScanTimeoutMs = 60000;

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wizard.Create());
    PumpFor(30);
  }
  void TearDown() override { WaitForScanEnd(); }

  HWND Control(int id) const { return ::GetDlgItem(wizard.m_hWnd, id); }
  HWND List() const { return Control(IDC_LIST); }
  bool Visible(int id) const { return ::IsWindowVisible(Control(id)) != FALSE; }

  // Clicks a "Proceed ..." button and chooses `path` in the open-file dialog
  // that it opens; false when no dialog with `title` showed.
  bool Proceed(int button, const char* title, const std::string& path) {
    driver::WindowWatch watch(
        title, [&](HWND dialog) { return driver::FillOpenDialog(dialog, path); }, wizard.m_hWnd);
    ClickButton(wizard.m_hWnd, button);
    return watch.Done();
  }
  // The worker's end steps free the "Proceed ..." buttons again.
  bool WaitForScanEnd() {
    bool ended =
        PumpUntil([&] { return g_bScanRunning == 0 && ::IsWindowEnabled(Control(IDC_PROCEED_STORE)); }, kScanTimeoutMs);
    PumpFor(20);
    return ended;
  }
  void ScanAndCompare(int button, const char* title, const std::string& path, const std::string& golden) {
    ASSERT_TRUE(Proceed(button, title, path)) << path;
    ASSERT_TRUE(WaitForScanEnd()) << path;
    // Contacts are the book's bytes, read back in the code page they show in.
    EXPECT_EQ(button == IDC_PROCEED_ADDRESS_BOOK ? driver::ListLines(List()) : driver::WideListLines(List()),
              driver::GoldenLines(golden))
        << path;
  }

  AnsweredDialogs answered;
  RecordingWizard wizard;
};

TEST_F(ScanTest, EachFileListsWhatTesselScanListsAndEndsAllChecked) {
  struct Case {
    int button;
    const char* title;
    std::string path;
    std::string golden;
    int repeats = 0;  // rows naming a record listed before, left out
  };
  // The usual scan, one untick away from the deep scan that starts ticked.
  ClickButton(wizard.m_hWnd, IDC_DEEP_SCAN);
  const std::vector<Case> cases = {
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imh"), "Inbox.imh", 10},
      {IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle, driver::SourcePath("samples/Contacts.imb"), "Contacts.imb"},
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imm"), "Inbox.imm"},
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("tests/data/wizard/Truncated.imh"), "Truncated.imh",
       6},
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("tests/data/wizard/Truncated.imm"), "Truncated.imm"},
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("tests/data/wizard/Spliced.imh"), "Spliced.imh", 5},
      {IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("tests/data/wizard/Unsigned.imh"), "Unsigned.imh"},
  };
  for (const Case& scan : cases) {
    SCOPED_TRACE(scan.golden);
    ScanAndCompare(scan.button, scan.title, scan.path, scan.golden);
    const int rows = static_cast<int>(driver::GoldenLines(scan.golden).size());
    EXPECT_EQ(driver::CheckedCount(List()), rows);
    // The scan ended: Back, Save and the instruction line; no bar, no Stop.
    EXPECT_TRUE(Visible(IDC_BACK) && Visible(IDC_SAVE) && Visible(IDC_INSTRUCTION) && Visible(IDC_LIST));
    EXPECT_FALSE(Visible(IDC_STOP) || Visible(IDC_PROGRESS) || Visible(IDC_PROCEED_STORE));
    EXPECT_EQ(driver::WindowText(Control(IDC_INSTRUCTION)),
              (scan.button == IDC_PROCEED_STORE
                   ? "Click a message to preview it. Tick what you want to keep, then press Save.\r\n\r\n"
                   : "Tick the contacts you want to keep, then press Save.\r\n\r\n") +
                  std::to_string(rows) + (scan.button == IDC_PROCEED_STORE ? " messages found" : " contacts found") +
                  (scan.repeats > 0 ? " (" + std::to_string(scan.repeats) + " found twice, listed once)" : "") +
                  // The sample book's one blank record: listed, and said to be left out by Save.
                  (scan.button == IDC_PROCEED_STORE ? "" : "\r\n1 of them blank: Save leaves it out"));
    EXPECT_EQ(driver::RowImage(List(), 0),
              scan.button == IDC_PROCEED_STORE ? CRecoveredListCtrl::kMessageImage : CRecoveredListCtrl::kContactImage);
    EXPECT_EQ(WizardTestAccess::List(wizard).GetHeaderItemCount(), scan.button == IDC_PROCEED_STORE ? 6 : 23);
    EXPECT_EQ(static_cast<int>(g_nScanMode.load()), scan.button == IDC_PROCEED_STORE ? 0 : 1);
    EXPECT_EQ(WizardTestAccess::Step(wizard), 2);

    ClickButton(wizard.m_hWnd, IDC_BACK);
    std::vector<int> visible = VisibleControlIds(wizard.m_hWnd);
    std::sort(visible.begin(), visible.end());
    EXPECT_EQ(visible, kChooseStepControls);
    EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  }
  // An index's store replaces the chosen path; the store is kept for preview.
  EXPECT_EQ(g_strStoreFile, driver::SourcePath("tests/data/wizard/Unsigned.imm"));
  EXPECT_TRUE(answered.boxes.empty());
}

TEST_F(ScanTest, ContactColumnsAndMessageColumnsCarryTheirHeadings) {
  ASSERT_TRUE(Proceed(IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle, driver::SourcePath("samples/Contacts.imb")));
  ASSERT_TRUE(WaitForScanEnd());
  HWND header = reinterpret_cast<HWND>(::SendMessageA(List(), LVM_GETHEADER, 0, 0));
  auto heading = [&](int column) {
    char text[64] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return std::string(text) + "/" + std::to_string(item.cxy);
  };
  EXPECT_EQ(heading(0), "Display Name/150");
  EXPECT_EQ(heading(15), "Phone/150");
  EXPECT_EQ(heading(22), "Fax/150");
  ClickButton(wizard.m_hWnd, IDC_BACK);
  ASSERT_TRUE(Proceed(IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imh")));
  ASSERT_TRUE(WaitForScanEnd());
  EXPECT_EQ(heading(0), "From/170");
  EXPECT_EQ(heading(3), "Date/170");
  EXPECT_EQ(heading(4), "/0");
  EXPECT_EQ(heading(5), "/0");
}

TEST_F(ScanTest, CancelledChooserOrMissingFileLeavesTheChooseStep) {
  driver::WindowWatch cancel(kStoreChooserTitle, [](HWND dialog) {
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return true;
  });
  ClickButton(wizard.m_hWnd, IDC_PROCEED_STORE);
  EXPECT_TRUE(cancel.Done());
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  EXPECT_TRUE(Visible(IDC_PROCEED_STORE));
  EXPECT_FALSE(Visible(IDC_LIST));
  EXPECT_TRUE(answered.boxes.empty());
}

// The deep scan box starts ticked, so the message store scan is the deep one:
// the rows are `tessel scan --deep` of the same index, those found only in the
// store show their own image and say so under the mouse and in the count, and
// once the box is cleared the next scan is the usual one.
TEST_F(ScanTest, TheDefaultScanIsTheDeepOneAndListsTheStoresOwnMessagesMarked) {
  ASSERT_TRUE(Proceed(IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imh")));
  ASSERT_TRUE(WaitForScanEnd());
  std::vector<std::string> expected, origins;
  for (const std::string& line : driver::GoldenLines("Inbox.imh.deep")) {
    const size_t lastTab = line.rfind('\t');
    expected.push_back(line.substr(0, lastTab));  // the list shows the six message cells
    origins.push_back(line.substr(lastTab + 1));
  }
  ASSERT_EQ(driver::WideListLines(List()), expected);
  ASSERT_NE(std::count(origins.begin(), origins.end(), "store"), 0);
  ASSERT_NE(std::count(origins.begin(), origins.end(), "index"), 0);
  EXPECT_EQ(driver::CheckedCount(List()), static_cast<int>(expected.size()));
  for (size_t row = 0; row < origins.size(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(driver::RowImage(List(), static_cast<int>(row)),
              origins[row] == "store" ? CRecoveredListCtrl::kStoreOnlyImage : CRecoveredListCtrl::kMessageImage);
    driver::HoverList(List(), driver::RowTextPoint(List(), static_cast<int>(row)));
    PumpFor(20);
    EXPECT_EQ(WizardTestAccess::List(wizard).CurrentTipText(),
              origins[row] == "store" ? "Found only in the store: deleted, or never indexed" : "");
  }
  const auto storeOnly = std::count(origins.begin(), origins.end(), "store");
  EXPECT_NE(driver::WindowText(Control(IDC_INSTRUCTION))
                .find(std::to_string(storeOnly) + " of them found only in the store: deleted, or never indexed"),
            std::string::npos);
  // The origin travels with the row, beside the six cells the list shows.
  EXPECT_EQ(WizardTestAccess::List(wizard).Cell(static_cast<int>(expected.size()) - 1, 6), "store");

  ClickButton(wizard.m_hWnd, IDC_BACK);
  EXPECT_TRUE(Visible(IDC_DEEP_SCAN));
  ClickButton(wizard.m_hWnd, IDC_DEEP_SCAN);
  ScanAndCompare(IDC_PROCEED_STORE, kStoreChooserTitle, driver::SourcePath("samples/Inbox.imh"), "Inbox.imh");
  for (int row = 0; row < WizardTestAccess::List(wizard).RowCount(); ++row)
    EXPECT_EQ(driver::RowImage(List(), row), CRecoveredListCtrl::kMessageImage) << row;
  EXPECT_EQ(WizardTestAccess::List(wizard).CurrentTipText(), "");
  EXPECT_TRUE(answered.boxes.empty());
}

TEST_F(ScanTest, AnIndexWithoutItsStoreAndAFileWithoutMailEachGetANoticeNamingTheFile) {
  // The usual scan: the deep one lists a file without mail as bytes no message claims.
  ClickButton(wizard.m_hWnd, IDC_DEEP_SCAN);
  TempFolder folder;
  // Deep enough that the index's and the store's paths on one line made the
  // notice wider than a laptop's screen.
  const std::string deep = folder.Path() + "\\" + std::string(70, 'm') + "\\" + std::string(70, 'n');
  std::filesystem::create_directories(deep);
  const std::string index = deep + "\\Lonely.imh";
  std::ofstream(index, std::ios::binary) << std::string("\x56\x23\x30\x34\x3C\x12\x08\x49\0\0\0\0", 12);
  ASSERT_TRUE(Proceed(IDC_PROCEED_STORE, kStoreChooserTitle, index));
  ASSERT_TRUE(WaitForScanEnd());
  ASSERT_EQ(answered.boxes.size(), 1u);
  const std::string notice = WithoutBreaks(answered.boxes[0].text);
  EXPECT_NE(notice.find("The messages of the index " + index + " are kept in the message store " + deep +
                        "\\Lonely.imm, which is missing"),
            std::string::npos)
      << notice;
  EXPECT_EQ(answered.boxes[0].style, 0x10u);  // the error look
  EXPECT_LT(BoxWindowWidth(answered.boxes[0]), kLaptopScreenWidth);
  std::filesystem::remove_all(folder.Path() + "\\" + std::string(70, 'm'));

  ClickButton(wizard.m_hWnd, IDC_BACK);
  const std::string text = folder.Path() + "\\Notes.imm";
  std::ofstream(text, std::ios::binary) << "just a text file\r\n";
  ASSERT_TRUE(Proceed(IDC_PROCEED_STORE, kStoreChooserTitle, text));
  ASSERT_TRUE(WaitForScanEnd());
  ASSERT_EQ(answered.boxes.size(), 2u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[1].text),
            "No messages were found in " + text + ": it holds none, or it is not an IncrediMail message store.");
}

TEST_F(ScanTest, StopAnsweredNoThenYesKeepsTheRowsFoundAndBackDuringThePendingStopWaitsForTheWorker) {
  TempFolder folder;
  std::string path = WriteLongStore(folder, 200000);
  ASSERT_TRUE(Proceed(IDC_PROCEED_STORE, kStoreChooserTitle, path));
  ASSERT_TRUE(PumpUntil([&] { return WizardTestAccess::List(wizard).RowCount() > 0; }, kScanTimeoutMs));
  ASSERT_EQ(g_bScanRunning, 1);
  // The scanning text shows, with the rows found so far.
  EXPECT_TRUE(Visible(IDC_INSTRUCTION) && Visible(IDC_PROGRESS) && Visible(IDC_STOP));
  EXPECT_NE(driver::WindowText(Control(IDC_INSTRUCTION)).find("Searching Messages...... (You can stop this search"),
            std::string::npos);
  PumpFor(600);
  const std::string scanning = driver::WindowText(Control(IDC_INSTRUCTION));
  // The count line, under the text.
  const size_t countAt = scanning.rfind('\n', scanning.find(" messages found so far"));
  ASSERT_NE(countAt, std::string::npos) << scanning;
  EXPECT_GT(std::stoi(scanning.substr(countAt + 1)), 0) << scanning;

  // A click on the list while scanning is refused at once.
  driver::ClickList(List(), driver::RowTextPoint(List(), 0));
  PumpFor(30);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].text, "Please stop the search process for preview");
  EXPECT_EQ(answered.boxes[0].caption, "Oxbrim Tessel IncrediMail ");
  // Save is refused too (the command, as Save is hidden while scanning).
  wizard.SendMessage(WM_COMMAND, IDC_SAVE);
  ASSERT_EQ(answered.boxes.size(), 2u);
  EXPECT_EQ(answered.boxes[1].text, "Please stop search process and then save files");

  answered.answer = 7;
  ClickButton(wizard.m_hWnd, IDC_STOP);
  EXPECT_EQ(answered.boxes.back().text, "Do you really want to stop search process ?");
  EXPECT_EQ(answered.boxes.back().style, 0x24u);
  EXPECT_EQ(g_bStopRequested, 0);
  EXPECT_TRUE(Visible(IDC_STOP));
  EXPECT_FALSE(Visible(IDC_BACK));

  answered.answer = 6;
  ClickButton(wizard.m_hWnd, IDC_STOP);
  EXPECT_EQ(g_bStopRequested, 1);
  EXPECT_TRUE(Visible(IDC_BACK));
  EXPECT_FALSE(Visible(IDC_STOP));
  // Back before the worker has ended: the choose step, but no second scan
  // until the worker is done with its end steps.
  ClickButton(wizard.m_hWnd, IDC_BACK);
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  EXPECT_TRUE(Visible(IDC_PROCEED_STORE));
  EXPECT_FALSE(::IsWindowEnabled(Control(IDC_PROCEED_STORE)));
  EXPECT_FALSE(::IsWindowEnabled(Control(IDC_PROCEED_ADDRESS_BOOK)));
  {
    driver::WindowWatch chooser(kStoreChooserTitle, [](HWND dialog) {
      ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      return true;
    });
    wizard.SendMessage(WM_COMMAND, IDC_PROCEED_STORE);
    PumpFor(100);
    EXPECT_EQ(chooser.Seen(), 0);
  }
  ASSERT_TRUE(WaitForScanEnd());
  // The worker ended over the choose step and left its controls as they were.
  std::vector<int> visible = VisibleControlIds(wizard.m_hWnd);
  std::sort(visible.begin(), visible.end());
  EXPECT_EQ(visible, kChooseStepControls);
  EXPECT_TRUE(::IsWindowEnabled(Control(IDC_PROCEED_STORE)));
  const int found = WizardTestAccess::List(wizard).RowCount();
  EXPECT_GT(found, 0);
  EXPECT_LT(found, 200000);
  EXPECT_EQ(driver::CheckedCount(List()), found);

  // A second scan starts from an empty list.
  ASSERT_TRUE(Proceed(IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle, driver::SourcePath("samples/Contacts.imb")));
  ASSERT_TRUE(WaitForScanEnd());
  EXPECT_EQ(driver::ListLines(List()), driver::GoldenLines("Contacts.imb"));
}

}  // namespace
