// Display scaling as a user meets it: the real program, started at 100%,
// 125%, 150% and 200% (Wine's LogPixels, read when a program starts), is
// driven from another process through its choose step, a scan of the sample
// and its exit question. The window scales as a whole: every visible control
// lies at its 100% rectangle times the scale, within 2 pixels, inside the
// client area; the list's columns and the question's buttons follow.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/file_choosers.h"
#include "app/product.h"
#include "bench/win32/remote_wizard.h"
#include "res/resource.h"
#include "tests/win32/app_user_driver.h"

namespace {

constexpr DWORD kGiveUpMs = 30000;
constexpr int kTolerance = 2;  // pixels: each edge is rounded on its own

std::string ProgramPath() {
  char own[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string folder = own;
  return folder.substr(0, folder.find_last_of('\\')) + "\\Oxbrim Tessel IncrediMail.exe";
}

// Sets the DPI that programs started from now on get; puts back what was there.
class LogPixels {
 public:
  LogPixels() {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = key_ && ::RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
                       ERROR_SUCCESS;
  }
  ~LogPixels() {
    if (!key_) return;
    if (had_)
      Set(old_);
    else
      ::RegDeleteValueA(key_, "LogPixels");
    ::RegCloseKey(key_);
  }
  bool Set(DWORD dpi) const {
    return key_ && ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
                       ERROR_SUCCESS;
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 96;
  bool had_ = false;
};

using Layout = std::map<int, RECT>;  // visible controls by id, in client coordinates

// What one run of the program showed.
struct Screens {
  SIZE client{};
  Layout choose;
  Layout results;
  std::vector<int> columns;
  RECT yes{}, no{};  // the exit question's buttons, in its client coordinates
  SIZE question{};   // its client size
};

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

RECT ClientRectOf(HWND control, HWND parent) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Layout VisibleControls(HWND window) {
  Layout layout;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child)) layout[::GetDlgCtrlID(child)] = ClientRectOf(child, window);
  return layout;
}

bool WaitUntilVisible(HWND control) {
  const DWORD start = ::GetTickCount();
  while (!::IsWindowVisible(control) && ::GetTickCount() - start < kGiveUpMs) ::Sleep(20);
  return ::IsWindowVisible(control) != FALSE;
}

// Starts the program at `dpi`, takes it to its results step with the sample's
// messages, asks to exit and answers No; ends it.
void RunAt(const LogPixels& setting, int dpi, Screens& run) {
  ASSERT_TRUE(setting.Set(static_cast<DWORD>(dpi)));
  PROCESS_INFORMATION program{};
  ASSERT_TRUE(remote::Start(ProgramPath(), program));
  struct Ender {
    PROCESS_INFORMATION& program;
    ~Ender() {
      ::TerminateProcess(program.hProcess, 0);
      ::WaitForSingleObject(program.hProcess, kGiveUpMs);
      ::CloseHandle(program.hThread);
      ::CloseHandle(program.hProcess);
    }
  } ender{program};

  HWND wizard = remote::WaitForWindow(program.dwProcessId, kProductTitle, nullptr, kGiveUpMs);
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(WaitUntilVisible(::GetDlgItem(wizard, IDC_PROCEED_IDENTITY)));
  run.client = ClientSize(wizard);
  run.choose = VisibleControls(wizard);

  ::PostMessageA(::GetDlgItem(wizard, IDC_PROCEED_STORE), BM_CLICK, 0, 0);
  HWND chooser = remote::WaitForWindow(program.dwProcessId, kStoreChooserTitle, nullptr, kGiveUpMs);
  ASSERT_TRUE(remote::ChooseInOpenDialog(chooser, driver::SourcePath("samples/Inbox.imh").c_str()));
  ASSERT_TRUE(WaitUntilVisible(::GetDlgItem(wizard, IDC_BACK)));
  run.results = VisibleControls(wizard);
  HWND list = ::GetDlgItem(wizard, IDC_LIST);
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < columns; ++column)
    run.columns.push_back(static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)));

  ::PostMessageA(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND question = remote::WaitForWindow(program.dwProcessId, kProductTitle, wizard, kGiveUpMs);
  ASSERT_TRUE(question);
  run.question = ClientSize(question);
  run.yes = ClientRectOf(::GetDlgItem(question, IDYES), question);
  run.no = ClientRectOf(::GetDlgItem(question, IDNO), question);
  ::PostMessageA(::GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
}

int Scaled(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

void ExpectNear(int actual, int at100, int dpi, const char* what, int id) {
  EXPECT_LE(std::abs(actual - Scaled(at100, dpi)), kTolerance)
      << what << " of control " << id << ": " << actual << ", 100%: " << at100;
}

// Every control of `at100` and no other, each at its rectangle scaled, inside `client`.
void ExpectScaledLayout(const Layout& at100, const Layout& actual, int dpi, SIZE client) {
  ASSERT_EQ(actual.size(), at100.size());
  for (const auto& [id, rect] : at100) {
    ASSERT_TRUE(actual.count(id)) << "control " << id << " missing";
    const RECT& now = actual.at(id);
    ExpectNear(now.left, rect.left, dpi, "left", id);
    ExpectNear(now.top, rect.top, dpi, "top", id);
    ExpectNear(now.right, rect.right, dpi, "right", id);
    ExpectNear(now.bottom, rect.bottom, dpi, "bottom", id);
    EXPECT_TRUE(now.left >= 0 && now.top >= 0 && now.right <= client.cx && now.bottom <= client.cy)
        << "control " << id << " leaves the client area";
  }
}

TEST(DisplayScaleTest, TheWindowItsListAndItsQuestionScaleAsAWholeAt125150And200Percent) {
  LogPixels setting;
  Screens at100;
  ASSERT_NO_FATAL_FAILURE(RunAt(setting, 96, at100));
  // The choose step's three cards, each with its button, and the version label.
  for (int id : {IDC_PROCEED_STORE, IDC_PROCEED_ADDRESS_BOOK, IDC_PROCEED_IDENTITY, IDC_DEEP_SCAN, IDC_VERSION})
    EXPECT_TRUE(at100.choose.count(id)) << id;
  EXPECT_TRUE(at100.results.count(IDC_LIST));
  ASSERT_EQ(at100.columns.size(), 6u);

  for (int dpi : {120, 144, 192}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    Screens run;
    ASSERT_NO_FATAL_FAILURE(RunAt(setting, dpi, run));
    EXPECT_LE(std::abs(run.client.cx - Scaled(at100.client.cx, dpi)), kTolerance);
    EXPECT_LE(std::abs(run.client.cy - Scaled(at100.client.cy, dpi)), kTolerance);
    ExpectScaledLayout(at100.choose, run.choose, dpi, run.client);
    ExpectScaledLayout(at100.results, run.results, dpi, run.client);
    ASSERT_EQ(run.columns.size(), at100.columns.size());
    for (size_t column = 0; column < run.columns.size(); ++column)
      EXPECT_LE(std::abs(run.columns[column] - Scaled(at100.columns[column], dpi)), kTolerance) << column;
    // The question's buttons: their size, the gap between them and their
    // margin to the bottom. Its width follows its text, which is the font's.
    for (const auto& [button, before] : {std::pair{run.yes, at100.yes}, std::pair{run.no, at100.no}}) {
      ExpectNear(button.right - button.left, before.right - before.left, dpi, "button width", 0);
      ExpectNear(button.bottom - button.top, before.bottom - before.top, dpi, "button height", 0);
      ExpectNear(run.question.cy - button.bottom, at100.question.cy - before.bottom, dpi, "bottom margin", 0);
    }
    ExpectNear(run.no.left - run.yes.right, at100.no.left - at100.yes.right, dpi, "button gap", 0);
  }
}

}  // namespace
