// Drives the real wizard program from outside, as a user does, and times its
// scan: starts the program, clicks the message store's "Proceed ...", types
// the index's path into the open-file dialog and presses Open; the clock runs
// from that press to the moment Back shows and "Proceed ..." is free again
// (the worker's end). Meanwhile it asks the window a question every few
// milliseconds and keeps the longest wait for an answer.
//
//   wizard_drive PROGRAM INDEX EXPECTED_ROWS
//
// Prints "wizard_seconds=S rows=N longest_answer_ms=M" and exits 0 when the
// list holds EXPECTED_ROWS rows.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/file_choosers.h"
#include "app/product.h"
#include "bench/win32/remote_wizard.h"
#include "res/resource.h"

namespace {
using remote::kGiveUpMs;
using remote::WaitForWindow;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: wizard_drive PROGRAM INDEX EXPECTED_ROWS\n");
    return 2;
  }
  PROCESS_INFORMATION info{};
  if (!remote::Start(argv[1], info)) {
    std::fprintf(stderr, "wizard_drive: cannot start %s\n", argv[1]);
    return 1;
  }
  int status = 1;
  HWND wizard = WaitForWindow(info.dwProcessId, kProductTitle);
  if (wizard) {
    ::PostMessageA(::GetDlgItem(wizard, IDC_PROCEED_STORE), BM_CLICK, 0, 0);
    HWND chooser = WaitForWindow(info.dwProcessId, kStoreChooserTitle);
    LARGE_INTEGER start, end, asked, answered;
    ::QueryPerformanceCounter(&start);
    if (remote::ChooseInOpenDialog(chooser, argv[2])) {
      double longestAnswer = 0, longestAt = 0;
      HWND back = ::GetDlgItem(wizard, IDC_BACK);
      HWND proceed = ::GetDlgItem(wizard, IDC_PROCEED_STORE);
      // Wait until the chooser has gone and the worker has ended.
      bool ended = false;
      double chooserGone = -1, firstRows = -1;
      HWND list = ::GetDlgItem(wizard, IDC_LIST);
      while (!ended) {
        ::QueryPerformanceCounter(&asked);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(wizard, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &ignored);
        ::QueryPerformanceCounter(&answered);
        if (Seconds(asked, answered) * 1000 > longestAnswer) {
          longestAnswer = Seconds(asked, answered) * 1000;
          longestAt = Seconds(start, asked);
        }
        ended = ::IsWindowVisible(back) && ::IsWindowEnabled(proceed) && !::IsWindow(chooser);
        if (chooserGone < 0 && !::IsWindow(chooser)) chooserGone = Seconds(start, answered);
        if (firstRows < 0 && ::IsWindowVisible(list)) firstRows = Seconds(start, answered);
        if (Seconds(start, answered) * 1000 > kGiveUpMs) break;
        if (!ended) ::Sleep(20);
      }
      ::QueryPerformanceCounter(&end);
      long rows = static_cast<long>(::SendMessageA(::GetDlgItem(wizard, IDC_LIST), LVM_GETITEMCOUNT, 0, 0));
      std::printf(
          "wizard_seconds=%.3f rows=%ld longest_answer_ms=%.1f longest_asked_at_s=%.3f chooser_closed_s=%.3f "
          "first_rows_s=%.3f\n",
          Seconds(start, end), rows, longestAnswer, longestAt, chooserGone, firstRows);
      status = ended && rows == std::atol(argv[3]) ? 0 : 1;
    }
  }
  ::TerminateProcess(info.hProcess, 0);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return status;
}
