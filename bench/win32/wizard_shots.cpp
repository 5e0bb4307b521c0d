// Walks the real wizard program through its states for the screenshot
// script, from outside, as a user would: the choose step, a long scan, Stop,
// the results, Save into a folder (the "Saving Mails..." dialog, cancelled),
// the closing notice, the sample's results with the preview menu, the
// message view of a row, the prefix dialog, and the sample's deep scan with the tip over a row found only
// in the store; the sample's contacts; and the sample's folder moved into
// MOVE_FOLDER (the notice at the end, then the step under it). Each picture is
// the whole screen, saved as OUT_FOLDER\name.bmp.
//
//   wizard_shots PROGRAM LONG_INDEX SAMPLE_INDEX SAVE_FOLDER OUT_FOLDER ADDRESS_BOOK MOVE_FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/file_choosers.h"
#include "app/product.h"
#include "bench/win32/remote_wizard.h"
#include "res/resource.h"

namespace {
constexpr char kFolderTitle[] = "Select the folder to save the recovered items in";
constexpr char kSavingTitle[] = "Saving Mails...";
constexpr char kPrefixTitle[] = "Oxbrim Tessel (File Name Setting)";
// The message view of the sample's fourth row.
constexpr char kViewTitle[] = "Re: Re: Holiday photos";
constexpr char kMoveInputTitle[] = "Select the IncrediMail folder to move (an identity, or all identities)";
// Where the sample's eleventh row (the first found only in the store) stands
// in the list, below its header, in pixels.
constexpr int kDeepRowY = 200;
// Time for the program to paint before a picture.
constexpr DWORD kPaintWaitMs = 700;
std::string g_outFolder;

// The whole screen as a 24-bit bitmap file.
void Shot(const char* name) {
  ::Sleep(kPaintWaitMs);
  HDC screen = ::GetDC(nullptr);
  int width = ::GetSystemMetrics(SM_CXSCREEN);
  int height = ::GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP picture = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, picture);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  std::string path = g_outFolder + "\\" + name + ".bmp";
  if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, 1, imageBytes, out);
    std::fclose(out);
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(picture);
  ::ReleaseDC(nullptr, screen);
  std::printf("picture: %s\n", path.c_str());
}

void Click(HWND window, int id) { ::PostMessageA(::GetDlgItem(window, id), BM_CLICK, 0, 0); }

bool WaitUntil(bool (*done)(HWND), HWND wizard) {
  DWORD start = ::GetTickCount();
  while (!done(wizard)) {
    if (::GetTickCount() - start > remote::kGiveUpMs) return false;
    ::Sleep(50);
  }
  return true;
}

bool ScanEnded(HWND wizard) {
  return ::IsWindowVisible(::GetDlgItem(wizard, IDC_BACK)) &&
         ::IsWindowEnabled(::GetDlgItem(wizard, IDC_PROCEED_STORE));
}

bool ListShown(HWND wizard) { return ::IsWindowVisible(::GetDlgItem(wizard, IDC_LIST)); }

// The first edit control under `window` (the item dialog's name field).
BOOL CALLBACK FindEdit(HWND child, LPARAM found) {
  char name[32] = {};
  ::GetClassNameA(child, name, sizeof name);
  if (std::string(name) != "Edit" || !::IsWindowVisible(child)) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// Types `folder` into the folder picker captioned `title` and presses OK;
// returns the picker, or null when none came.
HWND PickFolder(DWORD process, const char* title, const char* folder) {
  HWND picker = remote::WaitForWindow(process, title, nullptr, 20000);
  if (!picker) return nullptr;
  HWND edit = nullptr;
  ::EnumChildWindows(picker, &FindEdit, reinterpret_cast<LPARAM>(&edit));
  if (edit) ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder));
  Click(picker, IDOK);
  return picker;
}

bool MoveEnded(HWND wizard) { return ::IsWindowVisible(::GetDlgItem(wizard, IDC_BACK)); }

void Scan(DWORD process, HWND wizard, const char* path, int proceed = IDC_PROCEED_STORE,
          const char* chooserTitle = kStoreChooserTitle) {
  Click(wizard, proceed);
  remote::ChooseInOpenDialog(remote::WaitForWindow(process, chooserTitle), path);
  WaitUntil(&ListShown, wizard);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(
        stderr,
        "usage: wizard_shots PROGRAM LONG_INDEX SAMPLE_INDEX SAVE_FOLDER OUT_FOLDER ADDRESS_BOOK MOVE_FOLDER\n");
    return 2;
  }
  g_outFolder = argv[5];
  PROCESS_INFORMATION info{};
  if (!remote::Start(argv[1], info)) return 1;
  DWORD process = info.dwProcessId;
  HWND wizard = remote::WaitForWindow(process, kProductTitle);
  if (!wizard) return 1;
  ::Sleep(1000);
  Shot("choose-step");

  Scan(process, wizard, argv[2]);
  Shot("scanning");
  Click(wizard, IDC_STOP);
  if (HWND question = remote::WaitForWindow(process, kProductTitle, wizard, 10000)) {
    Shot("stop-question");
    Click(question, IDYES);
  }
  WaitUntil(&ScanEnded, wizard);
  ::Sleep(500);
  Shot("results-after-stop");

  Click(wizard, IDC_SAVE);
  if (remote::WaitForWindow(process, kFolderTitle, nullptr, 20000) != nullptr) {
    Shot("folder-picker");
    PickFolder(process, kFolderTitle, argv[4]);
  }
  if (HWND saving = remote::WaitForWindow(process, kSavingTitle, nullptr, 20000)) {
    ::Sleep(300);
    Shot("saving");
    Click(saving, IDCANCEL);
  }
  if (HWND notice = remote::WaitForWindow(process, kProductTitle, wizard, 20000)) {
    Shot("save-notice");
    Click(notice, IDOK);
  }

  Click(wizard, IDC_BACK);
  ::Sleep(500);
  Scan(process, wizard, argv[3]);
  WaitUntil(&ScanEnded, wizard);
  ::Sleep(500);
  Shot("results");
  // A click on the third row's text opens the preview menu.
  HWND list = ::GetDlgItem(wizard, IDC_LIST);
  LPARAM at = MAKELPARAM(80, 60);
  ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  ::Sleep(500);
  Shot("preview-menu");
  if (HWND menu = ::FindWindowA("#32768", nullptr)) ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ::Sleep(300);

  // The fourth row (a message with an attachment) from the keyboard: its menu
  // on Enter, then "View message".
  for (WPARAM key : {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN}) ::PostMessageA(list, WM_KEYDOWN, key, 0);
  ::PostMessageA(list, WM_CHAR, '\r', 0);
  ::Sleep(500);
  if (HWND menu = ::FindWindowA("#32768", nullptr)) {
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageA(menu, WM_KEYDOWN, key, 0);
  }
  if (HWND view = remote::WaitForWindow(process, kViewTitle, nullptr, 10000)) {
    ::Sleep(300);
    Shot("message-view");
    Click(view, IDCANCEL);
    ::Sleep(300);
  }

  // Last of the list's pictures, as the sort reorders its rows: the list sorted
  // by Subject (a click on its header) and searched for "anna", typed.
  HWND search = ::GetDlgItem(wizard, IDC_SEARCH);
  for (char c : std::string("anna")) ::PostMessageA(search, WM_CHAR, static_cast<WPARAM>(c), 1);
  if (HWND header = ::FindWindowExA(::GetDlgItem(wizard, IDC_LIST), nullptr, "SysHeader32", nullptr)) {
    RECT bar{};
    ::GetClientRect(header, &bar);
    // Subject is the second of the columns, each 170 of the list's 513 pixels at 100%.
    const LPARAM subject = MAKELPARAM(bar.right * 255 / 513, bar.bottom / 2);
    ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, subject);
    ::PostMessageA(header, WM_LBUTTONUP, 0, subject);
  }
  ::Sleep(500);
  Shot("results-search");
  ::SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  ::Sleep(300);
  ::PostMessageA(wizard, WM_SYSCOMMAND, IDM_FILE_PREFIX, 0);
  if (HWND prefix = remote::WaitForWindow(process, kPrefixTitle, nullptr, 10000)) {
    Shot("prefix-dialog");
    Click(prefix, IDCANCEL);
  }

  // The deep scan is ticked from the start.
  Click(wizard, IDC_BACK);
  ::Sleep(300);
  Shot("choose-step-deep");
  Scan(process, wizard, argv[3]);
  WaitUntil(&ScanEnded, wizard);
  ::Sleep(500);
  Shot("deep-results");
  // The sample's last rows are found only in the store; rest the mouse on one.
  RECT listRect{};
  ::GetWindowRect(list, &listRect);
  ::SetCursorPos(listRect.left + 120, listRect.top + kDeepRowY);
  ::PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(120, kDeepRowY));
  ::Sleep(1500);
  Shot("deep-results-tip");

  Click(wizard, IDC_BACK);
  Click(wizard, IDC_DEEP_SCAN);
  Scan(process, wizard, argv[6], IDC_PROCEED_ADDRESS_BOOK, kAddressBookChooserTitle);
  WaitUntil(&ScanEnded, wizard);
  ::Sleep(500);
  Shot("contacts");

  // The sample's folder (its index, store and address book) moved in one go.
  Click(wizard, IDC_BACK);
  Click(wizard, IDC_PROCEED_IDENTITY);
  std::string samples = argv[3];
  samples.erase(samples.find_last_of('\\'));
  PickFolder(process, kMoveInputTitle, samples.c_str());
  PickFolder(process, kFolderTitle, argv[7]);
  WaitUntil(&MoveEnded, wizard);
  if (HWND notice = remote::WaitForWindow(process, kProductTitle, wizard, 20000)) {
    Shot("move-notice");
    Click(notice, IDOK);
  }
  ::Sleep(500);
  Shot("move");
  ::TerminateProcess(info.hProcess, 0);
  return 0;
}
