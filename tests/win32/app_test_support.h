// Drives the real wizard window inside a test: creates it without a modal
// loop, answers its message boxes and shell requests, and pumps its messages
// through the same pre-translation as the program's loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/recovery_wizard_dlg.h"
#include "app/shell_open.h"
#include "win32_base/gdi_handles.h"
#include "framework/message_pump.h"
#include "framework/module.h"
#include "framework/packed_picture.h"
#include "app/wizard_message.h"
#include "draw_win32/gdi_surface.h"
#include "msgbox/message_box_call.h"
#include "msgbox/message_box_layout.h"
#include "msgbox_win32/message_box_look.h"
#include "msgbox_win32/message_box_strings.h"
#include "res/resource.h"
#include "richtext_win32/html_platform_win32.h"

// The wizard's controls and state, for the tests that drive it.
struct WizardTestAccess {
  static CRecoveredListCtrl& List(CRecoveryWizardDlg& wizard) { return wizard.m_results.List(); }
  static int Step(const CRecoveryWizardDlg& wizard) { return wizard.StepNumber(); }
  static CProgressCtrl& Progress(CRecoveryWizardDlg& wizard) { return wizard.m_prgScan; }
  static std::string& ProgramDir(CRecoveryWizardDlg& wizard) { return wizard.m_strProgramDir; }
  static HBITMAP Background(const CRecoveryWizardDlg& wizard) { return wizard.Picture(); }
  static CImageList& RowImages(CRecoveryWizardDlg& wizard) { return wizard.m_results.RowImages(); }
  // Home, Support, Help, About, Buy: 0 to 4.
  static CHoverButton& Link(CRecoveryWizardDlg& wizard, int index) { return *wizard.LinkButtons()[index]; }
  static CTransparentStatic& SelectAllLabel(CRecoveryWizardDlg& wizard) { return wizard.m_results.SelectAllLabel(); }
};

struct AskedBox {
  std::string text;
  std::string caption;
  std::uint32_t style = 0;
  tessel::MessageBoxBand background;
};

// The width of the window that shows `box`, measured as the box measures
// itself: its font, its icon and its rich text, which breaks only at <br>.
inline int BoxWindowWidth(const AskedBox& box) {
  tessel::MessageBoxParams params = WizardMessageBoxParams();
  params.messageText = box.text.c_str();
  params.caption = box.caption;
  params.style = box.style;
  const std::uint32_t icon = box.style & 0xF0;
  const HICON handle = ::LoadIconA(nullptr, icon == 0x10 ? IDI_HAND : icon == 0x20 ? IDI_QUESTION : IDI_ASTERISK);
  const tessel::ModuleStringResources strings;
  const tessel::MessageBoxModel model = tessel::BuildMessageBoxModel(
      params, strings, false, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle)),
      ::GetSystemMetrics(SM_CXICON));
  const framework::UniqueFont font = tessel::CreateMessageFont();
  tessel::MessageBoxContent content{tessel::MakeWin32HtmlPlatform()};
  HDC screen = ::GetDC(nullptr);
  int width = 0;
  {
    tessel::GdiSurface surface(screen);
    tessel::Win32DialogLook look(font.get());
    width = content.Measure(params, model.texts, surface, look).width;
  }
  ::ReleaseDC(nullptr, screen);
  return width + 2 * ::GetSystemMetrics(SM_CXDLGFRAME);
}

// A notice's text without its <br>s, where the wizard breaks long lines.
inline std::string WithoutBreaks(std::string text) {
  for (std::size_t at = text.find("<br>"); at != std::string::npos; at = text.find("<br>", at)) text.erase(at, 4);
  return text;
}

// The narrowest screen the wizard's notices must fit on: a common laptop's.
inline constexpr int kLaptopScreenWidth = 1366;

// The wizard, recording the commands that reach it.
class RecordingWizard : public CRecoveryWizardDlg {
 public:
  std::vector<UINT> commands;

 protected:
  bool OnCommand(UINT id, UINT code, HWND control) override {
    commands.push_back(id);
    return CRecoveryWizardDlg::OnCommand(id, code, control);
  }
};

// Message boxes and shell requests answered by the test, for its lifetime.
class AnsweredDialogs {
 public:
  AnsweredDialogs() {
    m_previousBoxHook =
        tessel::SetMessageBoxAnswerHook([this](const tessel::MessageBoxParams& box) -> std::optional<std::uint32_t> {
          const char* text = box.messageText.Text();
          boxes.push_back({text ? text : "", box.caption, box.style, box.background});
          return answer;
        });
    m_previousShellHook = SetShellOpenHook([this](const ShellRequest& request) { shellRequests.push_back(request); });
  }
  ~AnsweredDialogs() {
    tessel::SetMessageBoxAnswerHook(std::move(m_previousBoxHook));
    SetShellOpenHook(std::move(m_previousShellHook));
  }
  AnsweredDialogs(const AnsweredDialogs&) = delete;
  AnsweredDialogs& operator=(const AnsweredDialogs&) = delete;

  std::vector<AskedBox> boxes;
  std::vector<ShellRequest> shellRequests;
  std::uint32_t answer = 1;

 private:
  tessel::MessageBoxAnswerHook m_previousBoxHook;
  ShellOpenHook m_previousShellHook;
};

// Handles what is queued for a while, so that posted keys and the repaints
// they cause are done.
inline void PumpFor(DWORD milliseconds) {
  DWORD start = ::GetTickCount();
  do {
    framework::PumpPendingMessages();
    ::Sleep(10);
  } while (::GetTickCount() - start < milliseconds);
  framework::PumpPendingMessages();
}

// Presses and releases a key on `window` through the message queue.
inline void PostKey(HWND window, WPARAM key) {
  ::PostMessageA(window, WM_KEYDOWN, key, 1);
  ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// A fresh empty folder under the temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    m_path = std::string(base) + "tessel_app_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
             std::to_string(++counter);
    ::CreateDirectoryA(m_path.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::string& file : m_files) ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(m_path.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }  // without a trailing backslash
  void CreateFile(const std::string& name) {
    std::string path = m_path + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    m_files.push_back(path);
  }

 private:
  std::string m_path;
  std::vector<std::string> m_files;
};

// A store of many small messages, written for the test.
inline std::string WriteLongStore(const TempFolder& folder, int messages) {
  std::string path = folder.Path() + "\\Long.imm";
  std::string store;
  for (int i = 0; i < messages; ++i)
    store += "MIME-Version: 1.0\r\nFrom: sender" + std::to_string(i) +
             "@example.org\r\nTo: reader@example.org\r\nSubject: note " + std::to_string(i) +
             "\r\nDate: Mon, 1 Jan 2024 10:00:00 +0000\r\n\r\nA few words of body text.\r\n";
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, store.data(), static_cast<DWORD>(store.size()), &written, nullptr);
  ::CloseHandle(file);
  return path;
}

// True when the program's resources carry picture `id` (the artwork is linked
// in only when res/art/ is complete).
inline bool HasPicture(UINT id) {
  HMODULE module = framework::ResourceModule();
  return ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)) != nullptr ||
         ::FindResourceA(module, MAKEINTRESOURCEA(id), framework::kPackedPictureType) != nullptr;
}

// The pixels on screen of a rectangle of a window's client area, as 0x00RRGGBB,
// row by row from the top.
inline std::vector<std::uint32_t> ReadClientPixels(HWND window, const RECT& area) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  if (width <= 0 || height <= 0) return pixels;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  framework::ClientDC screen(window);
  framework::UniqueBitmap section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  framework::UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
  if (!section || !memory || !bits) return pixels;
  {
    framework::SelectGuard select(memory.get(), section.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    ::GdiFlush();
  }
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0x00FFFFFF;
  return pixels;
}

// The ids of a window's visible child controls.
// What the choose step shows, in id order: three cards' buttons, the deep
// scan box, the link row and the version.
inline const std::vector<int> kChooseStepControls = {
    IDC_PROCEED_STORE, IDC_PROCEED_ADDRESS_BOOK, IDC_DEEP_SCAN, IDC_LINK_HOME,        IDC_LINK_SUPPORT,
    IDC_LINK_HELP,     IDC_LINK_ABOUT,           IDC_LINK_BUY,  IDC_PROCEED_IDENTITY, IDC_VERSION};

inline std::vector<int> VisibleControlIds(HWND window) {
  std::vector<int> ids;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child)) ids.push_back(::GetDlgCtrlID(child));
  return ids;
}
