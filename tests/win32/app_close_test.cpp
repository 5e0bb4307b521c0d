// Closing the real program while a scan runs: the program itself ends its
// worker and its process, so this test drives it from another process, as
// a user's click on the window's close box would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/file_choosers.h"
#include "app/product.h"
#include "bench/win32/remote_wizard.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"
#include "tests/win32/app_user_driver.h"

namespace {

std::string ProgramPath() {
  char own[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string folder = own;
  return folder.substr(0, folder.find_last_of('\\')) + "\\Oxbrim Tessel IncrediMail.exe";
}

TEST(CloseTest, YesDuringAScanEndsTheProgramAtOnceAndLeavesTheStoreAsItWas) {
  TempFolder folder;
  const std::string store = WriteLongStore(folder, 200000);
  const std::string before = driver::ReadFileBytes(store);

  PROCESS_INFORMATION program{};
  ASSERT_TRUE(remote::Start(ProgramPath(), program));
  HWND wizard = remote::WaitForWindow(program.dwProcessId, kProductTitle, nullptr, 20000);
  ASSERT_TRUE(wizard);
  ::PostMessageA(::GetDlgItem(wizard, IDC_PROCEED_STORE), BM_CLICK, 0, 0);
  HWND chooser = remote::WaitForWindow(program.dwProcessId, kStoreChooserTitle, nullptr, 20000);
  ASSERT_TRUE(remote::ChooseInOpenDialog(chooser, store.c_str()));
  HWND list = ::GetDlgItem(wizard, IDC_LIST);
  const DWORD start = ::GetTickCount();
  while (::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0 && ::GetTickCount() - start < 20000) ::Sleep(5);

  ::PostMessageA(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND question = remote::WaitForWindow(program.dwProcessId, kProductTitle, wizard, 20000);
  ASSERT_TRUE(question);
  // Still scanning while the question waits: the rows grow under it.
  EXPECT_LT(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 200000);
  ::PostMessageA(::GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

  EXPECT_EQ(::WaitForSingleObject(program.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(program.hProcess, &code);
  EXPECT_EQ(code, 0u);
  ::TerminateProcess(program.hProcess, 1);
  ::CloseHandle(program.hThread);
  ::CloseHandle(program.hProcess);
  EXPECT_EQ(driver::ReadFileBytes(store), before);
}

}  // namespace
