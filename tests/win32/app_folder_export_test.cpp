// Moving a whole IncrediMail folder as a user does it: the choose step's third
// "Proceed ...", the two folder pickers, a row per store and address book, the
// end's notice; and the output folder byte for byte what
// `tessel export FOLDER --to OUT --format mbox` writes (tessel.exe, built
// beside the tests, run on the same folder). Stop and exit during a move.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/file_choosers.h"
#include "app/product.h"
#include "app/folder_picker.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"
#include "tests/win32/app_user_driver.h"

namespace {

namespace fs = std::filesystem;
using driver::ClickButton;
using driver::PumpUntil;

constexpr DWORD kExportTimeoutMs = 120000;

// Every file of a folder (the export writes no subfolders for mbox), by name.
std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code missing;  // an empty map: the comparisons say what is not there
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, missing))
    files[entry.path().filename().string()] = driver::ReadFileBytes(entry.path().string());
  return files;
}

// Runs tessel.exe, which the build puts beside this test; its exit code, or -1.
int RunTessel(const std::string& arguments) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + (fs::path(self).parent_path() / "tessel.exe").string() + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
    return -1;
  ::WaitForSingleObject(process.hProcess, kExportTimeoutMs);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

class FolderExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wizard.Create());
    PumpFor(30);
    root = fs::temp_directory_path() / ("tessel_folder_export_" + std::to_string(::GetCurrentProcessId()));
    fs::remove_all(root);
    input = root / "Identity";
    output = root / "Moved";
    previousPicker = SetFolderPickerHook([this](const std::string& start) {
      pickerStarts.push_back(start);
      if (picked.empty()) return std::string();
      std::string next = picked.front();
      picked.erase(picked.begin());
      return next;
    });
  }
  void TearDown() override {
    PumpUntil([] { return g_bScanRunning == 0; }, kExportTimeoutMs);
    SetFolderPickerHook(std::move(previousPicker));
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  HWND Control(int id) const { return ::GetDlgItem(wizard.m_hWnd, id); }
  bool Visible(int id) const { return ::IsWindowVisible(Control(id)) != FALSE; }
  void CopySample(const char* name, const fs::path& to) {
    fs::copy_file(driver::SourcePath(std::string("samples/") + name), to / name);
  }
  // Two small inputs, then a long store that a stop comes during, then one never begun.
  void MakeFolderWithALongStore(const fs::path& folder) {
    fs::create_directories(folder / "Mail");
    for (const char* name : {"Inbox.imh", "Inbox.imm", "Contacts.imb"}) CopySample(name, folder);
    TempFolder scratch;
    fs::rename(WriteLongStore(scratch, 300000), folder / "Mail" / "Archive.imm");
    CopySample("Inbox.imm", folder / "Mail");
  }
  // The long store (the third row) is being written.
  bool WaitForTheLongStore() {
    return PumpUntil(
        [&] {
          const std::vector<std::string> lines = driver::ListLines(Control(IDC_INPUT_LIST));
          return lines.size() == 4 && lines[2].find("Working...") != std::string::npos;
        },
        kExportTimeoutMs);
  }
  // What a move stopped during the long store leaves: the inputs finished
  // before it and the report; nothing of the long store.
  static std::vector<std::string> FilesLeftByAStopDuringTheLongStore() {
    return {"Contacts.csv", "Contacts.vcf", "Inbox (found only in the store).mbox", "Inbox.mbox",
            "Recovery report.txt"};
  }
  static std::vector<std::string> Names(const std::map<std::string, std::string>& files) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) names.push_back(name);
    return names;
  }

  // The end frees Back (or, for a refused folder, the choose step's cards).
  bool WaitForTheEnd() {
    const bool ended = PumpUntil([&] { return Visible(IDC_BACK) || ::IsWindowEnabled(Control(IDC_PROCEED_IDENTITY)); },
                                 kExportTimeoutMs);
    PumpFor(30);
    return ended;
  }

  AnsweredDialogs answered;
  RecordingWizard wizard;
  fs::path root;
  fs::path input;   // the folder to move
  fs::path output;  // where it goes
  FolderPickerHook previousPicker;
  std::vector<std::string> pickerStarts;
  std::vector<std::string> picked;
};

TEST_F(FolderExportTest, WritesWhatTesselExportWritesShowsARowPerInputAndEndsWithTheCountsAndLinks) {
  // The samples (an index whose entries are partly damaged, its store, an
  // address book) and, a folder down, a store without its index.
  fs::create_directories(input / "Old mail");
  for (const char* name : {"Inbox.imh", "Inbox.imm", "Contacts.imb"}) CopySample(name, input);
  CopySample("Inbox.imm", input / "Old mail");
  picked = {input.string(), output.string()};

  ClickButton(wizard.m_hWnd, IDC_PROCEED_IDENTITY);
  // The folder picker starts where the choosers do; the output picker where Save's does.
  ASSERT_EQ(pickerStarts.size(), 2u);
  EXPECT_EQ(pickerStarts[0], ChooserStartFolder());
  EXPECT_EQ(pickerStarts[1], DocumentsFolder());
  EXPECT_EQ(WizardTestAccess::Step(wizard), 3);
  // The step's own picture: the results one speaks of Save, and its footer lies under the links.
  EXPECT_EQ(wizard.PictureId(), static_cast<UINT>(IDB_MOVE_BACKGROUND));
  ASSERT_TRUE(WaitForTheEnd());

  // The step's end: the rows, Back, nothing of the results step.
  std::vector<int> visible = VisibleControlIds(wizard.m_hWnd);
  std::sort(visible.begin(), visible.end());
  EXPECT_EQ(visible, (std::vector<int>{IDC_BACK, IDC_INSTRUCTION, IDC_LINK_HOME, IDC_LINK_SUPPORT, IDC_LINK_HELP,
                                       IDC_LINK_ABOUT, IDC_LINK_BUY, IDC_VERSION, IDC_INPUT_LIST,
                                       IDC_EXPORT_FOLDER_LINK, IDC_EXPORT_HELP_LINK}));
  EXPECT_EQ(driver::ListLines(Control(IDC_INPUT_LIST)),
            (std::vector<std::string>{"Contacts.imb\t7 contacts\tDone", "Inbox.imh\t13 messages\tDone",
                                      "Old mail\\\\Inbox.imm\t13 messages\tDone"}));
  EXPECT_EQ(driver::WindowText(Control(IDC_INSTRUCTION)),
            "Done: 26 messages from 2 message stores and 7 contacts from 1 address book written.");

  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].style, 0x40u);
  // Each move goes into a new subfolder of the folder chosen.
  const fs::path moved = output / "Recovered mail";
  const std::string notice = WithoutBreaks(answered.boxes[0].text);
  EXPECT_EQ(notice.rfind("26 messages from 2 message stores and 7 contacts from 1 address book were written to " +
                             FolderLink(moved.string()) + ".",
                         0),
            0u)
      << notice;
  EXPECT_NE(notice.find(FolderLink((moved / "Recovery report.txt").string())), std::string::npos) << notice;

  // The links below the rows: the output folder, and the help's page on
  // importing, each opened through the shell on the wizard's behalf.
  answered.shellRequests.clear();
  TempFolder programFolder;
  programFolder.CreateFile(kHelpFileName);
  WizardTestAccess::ProgramDir(wizard) = programFolder.Path();
  for (int link : {IDC_EXPORT_FOLDER_LINK, IDC_EXPORT_HELP_LINK}) {
    RECT area{};
    ::GetClientRect(Control(link), &area);
    const LPARAM at = MAKELPARAM(4, area.bottom / 2);  // on the link text, which starts the line
    ::PostMessageA(Control(link), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(Control(link), WM_LBUTTONUP, 0, at);
    PumpFor(100);
  }
  ASSERT_EQ(answered.shellRequests.size(), 2u);
  EXPECT_EQ(answered.shellRequests[0].owner, wizard.m_hWnd);
  EXPECT_EQ(answered.shellRequests[0].verb, "open");
  EXPECT_EQ(answered.shellRequests[0].file, moved.string());
  EXPECT_EQ(answered.shellRequests[1].owner, wizard.m_hWnd);
  EXPECT_EQ(answered.shellRequests[1].file, "hh.exe");
  EXPECT_EQ(answered.shellRequests[1].parameters,
            "\"" + programFolder.Path() + "\\" + kHelpFileName + "::/moving.htm\"");

  // Byte for byte what tessel writes for the same folder into the same place.
  const std::map<std::string, std::string> written = FolderFiles(moved);
  fs::rename(output, root / "Moved by the wizard");
  ASSERT_EQ(RunTessel("export \"" + input.string() + "\" --to \"" + moved.string() + "\" --format mbox"), 0);
  const std::map<std::string, std::string> expected = FolderFiles(moved);
  ASSERT_EQ(written.size(), expected.size());
  for (const auto& [name, bytes] : expected) {
    ASSERT_TRUE(written.count(name)) << name;
    EXPECT_TRUE(written.at(name) == bytes) << name << " differs";
  }
  // Two mbox files for the indexed store, one for the other; vCard, CSV, the report.
  EXPECT_EQ(written.size(), 6u);

  // Back: the choose step again, the three cards free.
  ClickButton(wizard.m_hWnd, IDC_BACK);
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  EXPECT_EQ(wizard.PictureId(), static_cast<UINT>(IDB_CHOOSE_BACKGROUND));
  EXPECT_TRUE(Visible(IDC_PROCEED_IDENTITY) && ::IsWindowEnabled(Control(IDC_PROCEED_IDENTITY)));

  // An output folder inside the folder read is refused: the notice says why,
  // and the choose step stays.
  answered.boxes.clear();
  picked = {input.string(), (input / "Moved").string()};
  ClickButton(wizard.m_hWnd, IDC_PROCEED_IDENTITY);
  ASSERT_TRUE(WaitForTheEnd());
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(answered.boxes[0].text.rfind("Nothing was written: the output folder", 0), 0u) << answered.boxes[0].text;
  EXPECT_EQ(answered.boxes[0].style, 0x10u);
  EXPECT_EQ(WizardTestAccess::Step(wizard), 1);
  EXPECT_FALSE(fs::exists(input / "Moved"));
}

TEST_F(FolderExportTest, EachMoveGoesIntoANewSubfolderAndAnIndexWithoutItsStoreIsARow) {
  // Deep enough that the paths on one line made the end's notice wider than a laptop's screen.
  input = root / std::string(60, 'i') / std::string(60, 'j') / "Identity";
  output = root / std::string(60, 'o') / std::string(60, 'p');
  fs::create_directories(input);
  CopySample("Inbox.imm", input);
  fs::copy_file(driver::SourcePath("samples/Inbox.imh"), input / "Lost.imh");

  // The second move is the natural retry after a stop: it must not meet the first one's files.
  for (const char* subfolder : {"Recovered mail", "Recovered mail (2)"}) {
    SCOPED_TRACE(subfolder);
    answered.boxes.clear();
    picked = {input.string(), output.string()};
    ClickButton(wizard.m_hWnd, IDC_PROCEED_IDENTITY);
    ASSERT_TRUE(WaitForTheEnd());
    EXPECT_EQ(
        driver::ListLines(Control(IDC_INPUT_LIST)),
        (std::vector<std::string>{"Inbox.imm\t13 messages\tDone", "Lost.imh\t\tNot moved: its store is missing"}));
    EXPECT_EQ(driver::WindowText(Control(IDC_INSTRUCTION)),
              "Done: 13 messages from 1 message store and 0 contacts from 0 address books written.");
    const fs::path moved = output / subfolder;
    const std::map<std::string, std::string> files = FolderFiles(moved);
    EXPECT_EQ(Names(files), (std::vector<std::string>{"Inbox.mbox", "Recovery report.txt"}));
    const std::string report = files.count("Recovery report.txt") ? files.at("Recovery report.txt") : "";
    EXPECT_NE(report.find("Lost.imh (index without its store)\r\n  its store '" + (input / "Lost.imm").string() +
                          "' is missing"),
              std::string::npos)
        << report;
    ASSERT_EQ(answered.boxes.size(), 1u);
    EXPECT_EQ(answered.boxes[0].style, 0x10u) << "not everything was moved";
    EXPECT_NE(WithoutBreaks(answered.boxes[0].text).find(FolderLink(moved.string())), std::string::npos);
    EXPECT_LT(BoxWindowWidth(answered.boxes[0]), kLaptopScreenWidth) << answered.boxes[0].text;
    ClickButton(wizard.m_hWnd, IDC_BACK);
  }
}

TEST_F(FolderExportTest, StopAsksItsOwnQuestionKeepsTheFinishedFilesAndRemovesTheOneUnderWay) {
  MakeFolderWithALongStore(input);
  picked = {input.string(), output.string()};

  ClickButton(wizard.m_hWnd, IDC_PROCEED_IDENTITY);
  const HWND rows = Control(IDC_INPUT_LIST);
  ASSERT_TRUE(WaitForTheLongStore());
  answered.answer = 7;
  ClickButton(wizard.m_hWnd, IDC_STOP);
  ASSERT_EQ(answered.boxes.size(), 1u);
  EXPECT_EQ(WithoutBreaks(answered.boxes[0].text),
            "Do you want to stop moving your mail? The file being written now is removed; the files already "
            "written stay.");
  EXPECT_EQ(answered.boxes[0].style, 0x24u);
  EXPECT_EQ(g_bStopRequested, 0);
  answered.answer = 6;
  ClickButton(wizard.m_hWnd, IDC_STOP);
  EXPECT_EQ(g_bStopRequested, 1);
  // No Back until the worker has removed the unfinished file and said what it kept.
  EXPECT_FALSE(Visible(IDC_STOP));
  EXPECT_FALSE(Visible(IDC_BACK));
  EXPECT_TRUE(Visible(IDC_PROGRESS));
  ASSERT_TRUE(WaitForTheEnd());

  const std::vector<std::string> lines = driver::ListLines(rows);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Contacts.imb\t7 contacts\tDone");
  EXPECT_EQ(lines[1], "Inbox.imh\t13 messages\tDone");
  EXPECT_NE(lines[2].find("Mail\\\\Archive.imm\t"), std::string::npos) << lines[2];
  EXPECT_NE(lines[2].find("\tStopped: its files were removed"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3], "Mail\\\\Inbox.imm\t\tNot moved: stopped before it");
  EXPECT_EQ(Names(FolderFiles(output / "Recovered mail")), FilesLeftByAStopDuringTheLongStore());
  ASSERT_EQ(answered.boxes.size(), 3u);
  EXPECT_NE(answered.boxes[2].text.find("<br>Stopped: the files finished before the stop are kept"), std::string::npos)
      << answered.boxes[2].text;
  EXPECT_TRUE(Visible(IDC_BACK));
}

TEST_F(FolderExportTest, ExitDuringAMoveStopsItFirstSoNoCutMboxIsLeftAndTheReportIsWritten) {
  // Exit ends the process it is in, so the move runs in a child process (which
  // runs this test again up to here); the folders are where both find them.
  const fs::path shared = fs::temp_directory_path() / "tessel_folder_export_exit";
  const auto moveThenExit = [&] {
    fs::remove_all(shared);
    MakeFolderWithALongStore(shared / "Identity");
    picked = {(shared / "Identity").string(), (shared / "Moved").string()};
    ClickButton(wizard.m_hWnd, IDC_PROCEED_IDENTITY);
    if (!WaitForTheLongStore()) std::exit(2);
    answered.answer = 6;
    ::PostMessageA(wizard.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    // The exit ends the process long before this.
    PumpFor(kExportTimeoutMs);
  };
  EXPECT_EXIT(moveThenExit(), ::testing::ExitedWithCode(0), "");

  // What Stop leaves: the long store's mbox, cut where the exit fell, removed;
  // the report says so.
  const std::map<std::string, std::string> left = FolderFiles(shared / "Moved" / "Recovered mail");
  EXPECT_EQ(Names(left), FilesLeftByAStopDuringTheLongStore());
  const std::string report = left.count("Recovery report.txt") ? left.at("Recovery report.txt") : "";
  EXPECT_NE(report.find("Archive.imm"), std::string::npos) << report;
  EXPECT_NE(report.find("stopped during this one: its files are removed"), std::string::npos) << report;
  std::error_code ignored;
  fs::remove_all(shared, ignored);
}

}  // namespace
