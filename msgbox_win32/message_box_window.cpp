#include "msgbox_win32/message_box_window.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "draw_win32/native_handles_win32.h"
#include "framework/gdi_handles.h"
#include "msgbox_win32/message_box_strings.h"

namespace tessel {

namespace {

// Layout in pixels, the measures the rich text box uses as well.
constexpr int kMessageMargin = 14;  // around the message
constexpr int kIconGap = 10;        // between the icon and the text
constexpr int kButtonGap = 11;      // between buttons and around the button row
constexpr int kMinButtonWidth = 80;
constexpr int kMinButtonHeight = 23;
constexpr int kMaxOwnerText = 260;

// A dialog template without controls: the controls are made when the box opens,
// once the texts are measured. Templates must start on a 4-byte boundary.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE dialog;
  WORD menu;
  WORD windowClass;
  WCHAR title;
};

HWND ResolveOwner(WindowHandle given) {
  HWND owner = given ? ToHwnd(given) : GetActiveWindow();
  if (!given && owner) owner = GetLastActivePopup(owner);
  return owner;
}

std::string WindowText(HWND window) {
  if (!window) return {};
  char text[kMaxOwnerText + 1] = {};
  GetWindowTextA(window, text, static_cast<int>(sizeof text));
  return text;
}

// The message font, or the stock font to borrow when it is unavailable.
class DialogFont {
 public:
  DialogFont() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      owned_.reset(CreateFontIndirectA(&metrics.lfMessageFont));
    }
  }
  HFONT Get() const { return owned_ ? owned_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

 private:
  framework::UniqueFont owned_;
};

// The icon the style asks for; a user icon is loaded from the record's module
// at its own size and owned here, system icons are shared.
class BoxIcon {
 public:
  explicit BoxIcon(const MessageBoxParams& params) {
    LPCSTR system = nullptr;
    switch (params.style & MessageBoxStyle::kIconMask) {
      case MessageBoxStyle::kIconStop:
        system = IDI_HAND;
        break;
      case MessageBoxStyle::kIconQuestion:
        system = IDI_QUESTION;
        break;
      case MessageBoxStyle::kIconExclamation:
        system = IDI_EXCLAMATION;
        break;
      case MessageBoxStyle::kIconInformation:
        system = IDI_ASTERISK;
        break;
      case MessageBoxStyle::kIconUser:
        LoadUserIcon(params);
        return;
      default:
        return;
    }
    icon_ = LoadIconA(nullptr, system);
  }
  HICON Get() const { return icon_; }

 private:
  void LoadUserIcon(const MessageBoxParams& params) {
    const TextRef name = params.userIcon;
    if (name.IsNull()) return;
    HMODULE module = params.iconModule ? ToHmodule(params.iconModule) : GetModuleHandleA(nullptr);
    LPCSTR resource = name.IsResource() ? MAKEINTRESOURCEA(name.ResourceId()) : name.Text();
    owned_.reset(static_cast<HICON>(LoadImageA(module, resource, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    icon_ = owned_.get();
  }
  framework::UniqueIcon owned_;
  HICON icon_ = nullptr;  // owned_ or a shared system icon
};

SIZE MeasureText(HDC dc, const std::string& text, UINT format) {
  if (text.empty()) return {0, 0};
  RECT area = {0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_CALCRECT);
  return {area.right - area.left, area.bottom - area.top};
}

class StandInBox {
 public:
  explicit StandInBox(const MessageBoxParams& params) : params_(params), icon_(params) {}

  std::uint32_t Run() {
    owner_ = ResolveOwner(params_.owner);
    caption_ = WindowCaption(params_.caption, WindowText(owner_));
    text_ = ResolveTextRef(params_.messageText, params_, strings_);

    std::vector<std::string> custom;
    if (!params_.customButtons.IsNull())
      custom = SplitCustomButtons(ResolveTextRef(params_.customButtons, params_, strings_));
    // The stand-in has no collapsible area, so no More button.
    const bool hasReport = params_.reportMessage != 0 && owner_ != nullptr;
    buttons_ = ChooseButtons(params_.style, custom.size(), hasReport, false);
    for (std::uint32_t id : buttons_.ids) {
      const std::size_t customIndex = id - MessageBoxButton::kCustomFirst;
      captions_.push_back(id >= MessageBoxButton::kCustomFirst && customIndex < custom.size()
                              ? custom[customIndex]
                              : ButtonCaption(id, params_, strings_));
    }

    EmptyDialogTemplate empty = {};
    empty.dialog.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    empty.dialog.cx = 100;
    empty.dialog.cy = 100;
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &empty.dialog, owner_, &Proc,
                                                   reinterpret_cast<LPARAM>(this));
    return result > 0 ? static_cast<std::uint32_t>(result) : MessageBoxButton::kCancel;
  }

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      return reinterpret_cast<StandInBox*>(lParam)->OnInit(window);
    }
    auto* box = reinterpret_cast<StandInBox*>(GetWindowLongPtrA(window, DWLP_USER));
    if (box && message == WM_COMMAND) {
      box->OnCommand(window, LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }

  HWND MakeChild(HWND parent, const char* windowClass, const std::string& text, DWORD style, int id) {
    HWND child = CreateWindowExA(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return child;
  }

  BOOL OnInit(HWND window) {
    SIZE textSize = {0, 0};
    int buttonWidth = kMinButtonWidth;
    int buttonHeight = kMinButtonHeight;
    {
      framework::ClientDC dc(window);
      framework::SelectGuard font(dc.get(), font_.Get());
      textSize = MeasureText(dc.get(), text_, DT_NOPREFIX | DT_EXPANDTABS);
      for (const std::string& caption : captions_) {
        const SIZE size = MeasureText(dc.get(), caption, DT_SINGLELINE);
        buttonWidth = std::max(buttonWidth, MulDiv(size.cx, 80, 45));
        buttonHeight = std::max(buttonHeight, MulDiv(size.cy, 23, 13));
      }
    }

    // Message area: icon and text side by side, both centred vertically.
    const int iconWidth = icon_.Get() ? GetSystemMetrics(SM_CXICON) : 0;
    const int iconHeight = icon_.Get() ? GetSystemMetrics(SM_CYICON) : 0;
    const int textLeft = kMessageMargin + (iconWidth ? iconWidth + kIconGap : 0);
    const int contentHeight = std::max<int>(iconHeight, textSize.cy);
    const int messageHeight = contentHeight + 2 * kMessageMargin;

    const int count = static_cast<int>(captions_.size());
    const int rowWidth = count * (buttonWidth + kButtonGap) - kButtonGap;
    const int clientWidth = std::max<int>(textLeft + textSize.cx + kMessageMargin, rowWidth + 2 * kButtonGap);
    const int clientHeight = messageHeight + buttonHeight + kButtonGap;

    if (icon_.Get()) {
      HWND iconControl = MakeChild(window, "STATIC", "", SS_ICON, kMessageBoxIconControlId);
      SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
      SetWindowPos(iconControl, nullptr, kMessageMargin, kMessageMargin + (contentHeight - iconHeight) / 2, iconWidth,
                   iconHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const DWORD align = (params_.style & MessageBoxStyle::kRightAlign) ? SS_RIGHT : SS_LEFT;
    HWND textControl = MakeChild(window, "STATIC", text_, align | SS_NOPREFIX, kMessageBoxTextControlId);
    SetWindowPos(textControl, nullptr, textLeft, kMessageMargin + (contentHeight - textSize.cy) / 2,
                 clientWidth - textLeft - kMessageMargin, textSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    int left = (clientWidth - rowWidth) / 2;
    if (params_.buttonAlignment == MessageBoxAlign::kLeft) left = kButtonGap;
    if (params_.buttonAlignment == MessageBoxAlign::kRight) left = clientWidth - kButtonGap - rowWidth;
    const int top = clientHeight - kButtonGap - buttonHeight;
    HWND defaultButton = nullptr;
    for (int i = 0; i < count; ++i) {
      const bool isDefault = static_cast<std::size_t>(i) == buttons_.defaultIndex;
      const int id = static_cast<int>(buttons_.ids[i]);
      HWND button =
          MakeChild(window, "BUTTON", captions_[i], WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), id);
      SetWindowPos(button, nullptr, left + i * (buttonWidth + kButtonGap), top, buttonWidth, buttonHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      if (isDefault) {
        defaultButton = button;
        SendMessageA(window, DM_SETDEFID, id, 0);
      }
    }

    SizeAndCentre(window, clientWidth, clientHeight);
    if (!buttons_.cancellable) EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    if (params_.style & MessageBoxStyle::kTopmost) {
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    if (params_.style & MessageBoxStyle::kSetForeground) SetForegroundWindow(window);
    if (defaultButton) SetFocus(defaultButton);
    // Last, so that whoever finds the box by its caption finds it complete.
    SetWindowTextA(window, caption_.c_str());
    return FALSE;  // the focus is set
  }

  // Centres the window over its owner, or over the screen when it has none.
  void SizeAndCentre(HWND window, int clientWidth, int clientHeight) {
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner_) GetWindowRect(owner_, &area);
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void OnCommand(HWND window, std::uint32_t id) {
    if (id == 0) return;
    if (id == MessageBoxButton::kCancel && !buttons_.cancellable) return;  // Escape and Close too
    if (id == MessageBoxButton::kHelp) return;                             // the help file belongs to the rich text box
    if (id == MessageBoxButton::kReport) {
      if (owner_) SendMessageA(owner_, params_.reportMessage, 0, 0);
      return;
    }
    const bool ours = std::find(buttons_.ids.begin(), buttons_.ids.end(), id) != buttons_.ids.end();
    if (ours || id == MessageBoxButton::kCancel) EndDialog(window, static_cast<INT_PTR>(id));
  }

  const MessageBoxParams& params_;
  ModuleStringResources strings_;
  DialogFont font_;
  BoxIcon icon_;
  HWND owner_ = nullptr;
  std::string caption_;
  std::string text_;
  MessageBoxButtons buttons_;
  std::vector<std::string> captions_;
};

}  // namespace

std::uint32_t ShowMessageBoxWindow(const MessageBoxParams& completed) {
  StandInBox box(completed);
  return box.Run();
}

}  // namespace tessel
