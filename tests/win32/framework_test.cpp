// The framework layer on its own: the worker thread, a plain dialog's keys
// and modal run, the background painting, and the list view wrapper.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "framework/background.h"
#include "framework/dialog.h"
#include "win32_base/gdi_handles.h"
#include "framework/list_ctrl.h"
#include "framework/message_pump.h"
#include "framework/worker_thread.h"
#include "res/resource.h"

namespace {

struct WorkerRun {
  std::atomic<int> ran{0};
  HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ~WorkerRun() { ::CloseHandle(release); }
};

UINT CountAndWait(LPVOID parameter) {
  auto* run = static_cast<WorkerRun*>(parameter);
  ::WaitForSingleObject(run->release, 5000);
  ++run->ran;
  return 42;
}

TEST(WorkerThreadTest, RunsWithItsParameterAndItsOwnHandleOutlivesTheObject) {
  WorkerRun run;
  HANDLE own = nullptr;
  CWinThread* thread = AfxBeginThread(&CountAndWait, &run, THREAD_PRIORITY_NORMAL, 0, 0, &own);
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(::GetThreadPriority(own), THREAD_PRIORITY_NORMAL);
  ::SetEvent(run.release);
  ASSERT_EQ(::WaitForSingleObject(own, 5000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeThread(own, &exitCode));
  EXPECT_EQ(exitCode, 42u);
  EXPECT_EQ(run.ran, 1);
  ::CloseHandle(own);
}

TEST(WorkerThreadTest, ASuspendedStartWaitsForResume) {
  WorkerRun run;
  ::SetEvent(run.release);
  HANDLE own = nullptr;
  ASSERT_NE(AfxBeginThread(&CountAndWait, &run, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED, &own), nullptr);
  EXPECT_EQ(::WaitForSingleObject(own, 100), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(run.ran, 0);
  EXPECT_EQ(::GetThreadPriority(own), THREAD_PRIORITY_BELOW_NORMAL);
  ::ResumeThread(own);
  EXPECT_EQ(::WaitForSingleObject(own, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(run.ran, 1);
  ::CloseHandle(own);
}

// A plain dialog keeps the usual dialog keys: Escape ends it. (The wizard
// passes Escape over; that is its own choice.)
TEST(DialogTest, EscapeEndsAPlainDialogThroughItsCancelCommand) {
  CDialog dialog(IDD_FILE_PREFIX);
  ASSERT_TRUE(dialog.Create());
  ::ShowWindow(dialog.m_hWnd, SW_SHOW);
  HWND edit = dialog.GetDlgItem(IDC_PREFIX_EDIT);
  ::SetFocus(edit);
  ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  for (int i = 0; i < 20 && !dialog.IsEnded(); ++i) {
    framework::PumpPendingMessages();
    ::Sleep(5);
  }
  EXPECT_TRUE(dialog.IsEnded());
  EXPECT_EQ(dialog.GetResult(), IDCANCEL);
  EXPECT_FALSE(dialog.IsWindowVisible());
}

// Ends its own modal run from a posted command, as a user's OK would.
class SelfClosingDialog : public CDialog {
 public:
  SelfClosingDialog() : CDialog(IDD_ABOUTBOX) {}
  bool sawInit = false;

 protected:
  BOOL OnInitDialog() override {
    sawInit = true;
    ::PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
};

TEST(DialogTest, DoModalRunsUntilTheDialogEndsAndReturnsItsResult) {
  SelfClosingDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.sawInit);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogTest, AMissingTemplateIsReportedNotRun) {
  CDialog dialog(4321);
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(BackgroundTest, CopiesThePictureAtItsOwnSizeToTheTopLeft) {
  framework::UniqueMemoryDC target(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* targetBits = nullptr;
  void* pictureBits = nullptr;
  framework::UniqueBitmap targetBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &targetBits, nullptr, 0));
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = -3;
  framework::UniqueBitmap picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pictureBits, nullptr, 0));
  ASSERT_TRUE(targetBitmap && picture);
  auto* pixels = static_cast<std::uint32_t*>(pictureBits);
  for (int i = 0; i < 12; ++i) pixels[i] = 0x00123456 + i;
  framework::SelectGuard select(target.get(), targetBitmap.get());
  ASSERT_TRUE(select.ok());
  for (int i = 0; i < 64; ++i) static_cast<std::uint32_t*>(targetBits)[i] = 0x00ABCDEF;
  // The client is wider than the picture but exactly as tall.
  ASSERT_TRUE(framework::PaintBackground(target.get(), picture.get(), RECT{0, 0, 6, 3}));
  ::GdiFlush();
  auto* drawn = static_cast<std::uint32_t*>(targetBits);
  COLORREF system = ::GetSysColor(COLOR_BTNFACE);
  // Pixels are 0x00RRGGBB, colours 0x00BBGGRR.
  std::uint32_t face = (GetRValue(system) << 16) | (GetGValue(system) << 8) | GetBValue(system);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (x < 4 && y < 3)
        EXPECT_EQ(drawn[y * 8 + x] & 0xFFFFFF, 0x00123456u + y * 4 + x) << x << "," << y;
      else if (x < 6 && y < 3)
        EXPECT_EQ(drawn[y * 8 + x] & 0xFFFFFF, face) << x << "," << y;
      else
        EXPECT_EQ(drawn[y * 8 + x] & 0xFFFFFF, 0x00ABCDEFu) << x << "," << y;
  EXPECT_FALSE(framework::PaintBackground(target.get(), nullptr, RECT{0, 0, 6, 3}));
}

TEST(ListCtrlTest, CellsOfAnyLengthAndCheckStatesRoundTrip) {
  HWND window =
      ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  CListCtrl list;
  list.Attach(window);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);
  list.InsertColumn(0, "From", LVCFMT_LEFT, 100);
  list.InsertColumn(1, "Subject", LVCFMT_LEFT, 100);
  EXPECT_EQ(list.GetHeaderItemCount(), 2);
  EXPECT_EQ(list.InsertItem(0, "first"), 0);
  EXPECT_EQ(list.InsertItem(list.GetItemCount(), "second"), 1);
  const std::string longText(3000, 'x');
  list.SetItemText(1, 1, longText);
  EXPECT_EQ(list.GetItemText(1, 1), longText);
  EXPECT_EQ(list.GetItemText(0, 0), "first");
  EXPECT_EQ(list.GetItemText(7, 0), "");
  EXPECT_FALSE(list.GetCheck(1));
  list.SetCheck(1, true);
  EXPECT_TRUE(list.GetCheck(1));
  EXPECT_FALSE(list.GetCheck(0));
  list.DestroyWindow();
  EXPECT_EQ(list.m_hWnd, nullptr);
}

}  // namespace
