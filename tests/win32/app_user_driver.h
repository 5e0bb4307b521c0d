// Drives the wizard as a user does, from outside its handlers: clicks its
// buttons, fills the real open-file dialog, picks from its popup menu, clicks
// the list, and reads the list back from the control. Dialogs and menus run
// modal loops on the test's thread, so a thread timer watches for them and
// acts inside those loops.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/scan_state.h"
#include "win32_base/wide_path.h"
#include "res/resource.h"
#include "tests/win32/app_test_support.h"

namespace driver {

// A project file as Wine sees it (the Unix root is drive Z:).
inline std::string SourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + TESSEL_SOURCE_DIR + "/" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The whole of a file (its path UTF-8); empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(tessel::WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char block[65536];
  DWORD got = 0;
  while (::ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
  ::CloseHandle(file);
  return bytes;
}

// The golden rows: `tessel scan --readable --format tsv` of a file (the
// wizard's message cells are those for people), one line per row.
inline std::vector<std::string> GoldenLines(const std::string& name) {
  std::vector<std::string> lines;
  std::stringstream text(ReadFileBytes(SourcePath("tests/data/wizard/" + name + ".tsv")));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

// A cell as `tessel scan --format tsv` writes it.
inline std::string TsvCell(const std::string& cell) {
  std::string out;
  for (char c : cell) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Every row of the list control, as tsv lines, read through list messages.
inline std::vector<std::string> ListLines(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> lines;
  std::vector<char> buffer(70000);
  for (int row = 0; row < rows; ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = buffer.data();
      item.cchTextMax = static_cast<int>(buffer.size());
      buffer[0] = '\0';
      ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      if (column > 0) line += '\t';
      line += TsvCell(buffer.data());
    }
    lines.push_back(line);
  }
  return lines;
}

// Every row of the wizard's list as tsv lines in UTF-8, read through the wide
// list messages: message cells hold text of any script.
inline std::vector<std::string> WideListLines(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  int columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> lines;
  std::vector<wchar_t> buffer(70000);
  for (int row = 0; row < rows; ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer.data();
      item.cchTextMax = static_cast<int>(buffer.size());
      buffer[0] = L'\0';
      ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
      if (column > 0) line += '\t';
      line += TsvCell(tessel::Utf8OfWide(buffer.data()));
    }
    lines.push_back(line);
  }
  return lines;
}

// The image a row shows, as the list view asks the control for it.
inline int RowImage(HWND list, int row) {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = -1;
  ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

// Moves the mouse over a point of the list, as far as the list can tell.
inline void HoverList(HWND list, POINT point) {
  POINT screen = point;
  ::ClientToScreen(list, &screen);
  ::SetCursorPos(screen.x, screen.y);
  ::PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

inline bool IsRowChecked(HWND list, int row) {
  LRESULT state = ::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

inline int CheckedCount(HWND list) {
  int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  int checked = 0;
  for (int row = 0; row < rows; ++row) checked += IsRowChecked(list, row);
  return checked;
}

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// Watches this thread's windows with a timer and runs `act` on the first
// visible top-level window (other than `except`) whose caption is `caption`;
// `act` returns true when done with it. Menus are windows of class #32768.
class WindowWatch {
 public:
  using Action = std::function<bool(HWND)>;
  WindowWatch(std::string caption, Action act, HWND except = nullptr)
      : m_caption(std::move(caption)), m_act(std::move(act)), m_except(except) {
    Current() = this;
    m_timer = ::SetTimer(nullptr, 0, 30, &Tick);
  }
  ~WindowWatch() {
    ::KillTimer(nullptr, m_timer);
    Current() = nullptr;
  }
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  int Seen() const { return m_seen; }
  bool Done() const { return m_done; }

 private:
  static WindowWatch*& Current() {
    static WindowWatch* current = nullptr;
    return current;
  }
  static BOOL CALLBACK Find(HWND window, LPARAM) {
    WindowWatch* self = Current();
    if (!self || window == self->m_except || !::IsWindowVisible(window)) return TRUE;
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    bool isMenu = std::string(className) == "#32768";
    if (isMenu ? self->m_caption != "#menu" : WindowText(window) != self->m_caption) return TRUE;
    ++self->m_seen;
    if (self->m_act(window)) self->m_done = true;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    WindowWatch* self = Current();
    if (self && !self->m_done && !self->m_busy) {
      self->m_busy = true;
      ::EnumThreadWindows(::GetCurrentThreadId(), &Find, 0);
      self->m_busy = false;
    }
  }

  std::string m_caption;
  Action m_act;
  HWND m_except;
  UINT_PTR m_timer = 0;
  int m_seen = 0;
  bool m_done = false;
  bool m_busy = false;
};

// Types `path` (UTF-8) into an open-file dialog's file name field and presses Open.
inline bool FillOpenDialog(HWND dialog, const std::string& path) {
  // The file name field: the combo box of explorer-style dialogs, or its edit.
  HWND name = ::GetDlgItem(dialog, cmb13);
  if (!name) name = ::GetDlgItem(dialog, edt1);
  if (!name) return false;
  ::SetWindowTextW(name, tessel::WidePath(path).c_str());
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return true;
}

// Clicks a button as the mouse does (BM_CLICK sends press, release and the
// command to its parent).
inline void ClickButton(HWND window, int id) { ::SendMessageA(::GetDlgItem(window, id), BM_CLICK, 0, 0); }

// Presses and releases the left mouse button at a point of the list.
inline void ClickList(HWND list, POINT point, bool twice = false) {
  LPARAM at = MAKELPARAM(point.x, point.y);
  ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  if (twice) {
    ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageA(list, WM_LBUTTONUP, 0, at);
  }
}

// Where a row's text and its check box are, in the list's client area.
inline POINT RowTextPoint(HWND list, int row) {
  RECT label{};
  label.left = LVIR_LABEL;
  ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
  return {label.left + 6, (label.top + label.bottom) / 2};
}
inline POINT RowCheckBoxPoint(HWND list, int row) {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  RECT icon{};
  icon.left = LVIR_ICON;
  ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&icon));
  // The state image stands left of the (empty) icon.
  return {(bounds.left + icon.left) / 2, (icon.top + icon.bottom) / 2};
}

// Pumps until `done` or `milliseconds` pass; true when done.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > milliseconds) return false;
    framework::PumpPendingMessages();
    ::Sleep(5);
  }
  return true;
}

}  // namespace driver
