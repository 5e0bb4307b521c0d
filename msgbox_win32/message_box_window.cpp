#include "msgbox_win32/message_box_window.h"

#include <algorithm>

#include "msgbox/message_box_rules.h"
#include "draw_win32/native_handles_win32.h"
#include "msgbox_win32/message_box_look.h"
#include "msgbox_win32/message_box_registry.h"
#include "draw_win32/gdi_surface.h"
#include "win32_base/wide_path.h"
#include "win32_base/dpi.h"
#include "richtext_win32/html_platform_win32.h"

namespace tessel {

namespace {

namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

constexpr int kTemplateSize = 100;       // dialog units; the box sizes itself when it opens
constexpr int kCheckLabelId = -1;        // a label sends no commands
constexpr int kCheckBoxId = 0;           // the box ignores command 0, so a click only checks it
constexpr UINT kHelpPartialKey = 0x105;  // HELP_PARTIALKEY: the help file's index
constexpr DWORD kKeepOrderAndFocus = SWP_NOZORDER | SWP_NOACTIVATE;

// A dialog template without controls; templates start on a 4-byte boundary.
struct EmptyDialogTemplate {
  DLGTEMPLATE dialog;
  WORD menu;
  WORD windowClass;
  WCHAR title;
};

// The icon the style asks for. A user icon is loaded for the box and handed to
// `owned`; system icons are shared and never destroyed.
HICON LoadBoxIcon(const MessageBoxParams& params, framework::UniqueIcon& owned) {
  LPCSTR system = nullptr;
  switch (params.style & S::kIconMask) {
    case S::kIconStop:
      system = IDI_HAND;
      break;
    case S::kIconQuestion:
      system = IDI_QUESTION;
      break;
    case S::kIconExclamation:
      system = IDI_EXCLAMATION;
      break;
    case S::kIconInformation:
      system = IDI_ASTERISK;
      break;
    case S::kIconUser: {
      if (params.userIcon.IsNull()) return nullptr;
      HMODULE module = params.iconModule ? ToHmodule(params.iconModule) : ::GetModuleHandleA(nullptr);
      LPCSTR name =
          params.userIcon.IsResource() ? MAKEINTRESOURCEA(params.userIcon.ResourceId()) : params.userIcon.Text();
      owned.reset(static_cast<HICON>(::LoadImageA(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
      return owned.get();
    }
    default:
      return nullptr;
  }
  return ::LoadIconA(nullptr, system);
}

RECT ClientRect(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return client;
}

void MoveTo(HWND window, const Rect& rect) {
  ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), kKeepOrderAndFocus);
}

// Our texts are UTF-8; windows take them wide.
void SetText(HWND window, const std::string& text) { ::SetWindowTextW(window, WidePath(text).c_str()); }

void BlitArea(HDC target, HDC source, const Rect& area) {
  if (!area.IsEmpty())
    ::BitBlt(target, area.left, area.top, area.Width(), area.Height(), source, area.left, area.top, SRCCOPY);
}

}  // namespace

CRichMessageBox::CRichMessageBox(const MessageBoxParams& completed, HWND owner, std::string caption)
    : m_params(completed), m_hOwner(owner), m_strCaption(std::move(caption)) {
  if (!m_params.stringModule) m_params.stringModule = ToModuleHandle(::GetModuleHandleA(nullptr));
  if (!m_params.iconModule) m_params.iconModule = ToModuleHandle(::GetModuleHandleA(nullptr));
  // The system's message font, which the box uses, is made for the system's
  // DPI; the box's lengths scale with it.
  m_pContent =
      std::make_unique<MessageBoxContent>(MakeWin32HtmlPlatform(), MessageBoxMetrics::ForDpi(framework::SystemDpi()));
  m_font = CreateMessageFont();
  m_hIcon = LoadBoxIcon(m_params, m_ownedIcon);
}

std::uint32_t CRichMessageBox::DoModal() {
  HGLOBAL memory = ::GlobalAlloc(GMEM_ZEROINIT, sizeof(EmptyDialogTemplate));
  if (!memory) return B::kCancel;
  auto* empty = static_cast<EmptyDialogTemplate*>(::GlobalLock(memory));
  if (!empty) {
    ::GlobalFree(memory);
    return B::kCancel;
  }
  empty->dialog.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  empty->dialog.cx = kTemplateSize;
  empty->dialog.cy = kTemplateSize;
  // A wide dialog, so that its caption and controls show UTF-8 texts whole.
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleA(nullptr), &empty->dialog, m_hOwner, &DialogProc,
                                                   reinterpret_cast<LPARAM>(this));
  ::GlobalUnlock(memory);
  ::GlobalFree(memory);
  return result == -1 ? B::kCancel : static_cast<std::uint32_t>(result);
}

INT_PTR CALLBACK CRichMessageBox::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* box = reinterpret_cast<CRichMessageBox*>(lParam);
    box->m_hWnd = window;
    return box->OnInitDialog();
  }
  auto* box = reinterpret_cast<CRichMessageBox*>(::GetWindowLongPtrA(window, DWLP_USER));
  return box ? box->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CRichMessageBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, TRUE);  // the paint covers everything
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case kMessageBoxLinkNotify:
      OnLinkNotify();
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kMessageBoxTimerId) OnTimer();
      return TRUE;
    case WM_SETCURSOR:
      if (!OnSetCursor()) return FALSE;
      ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_LBUTTONDOWN:
      m_pContent->Click({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // Labels let the bands show through.
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    case DM_GETDEFID:
      // While the default button is held disabled, Enter finds it and does
      // nothing, instead of sending OK to a box that may have none.
      if (HWND button = DefaultButton(); button && !::IsWindowEnabled(button)) {
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, MAKELONG(m_model.DefaultId(), DC_HASDEFID));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      DestroyControls();
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CRichMessageBox::OnInitDialog() {
  m_nCountdown = InitialCountdown(m_params);
  for (HtmlDrawer* drawer : {&m_pContent->HeaderDrawer(), &m_pContent->MessageDrawer(), &m_pContent->MoreDrawer()})
    drawer->BindHost(ToWindowHandle(m_hWnd), kMessageBoxLinkNotify, 0);

  const std::uint32_t iconHandle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hIcon));
  m_model = BuildMessageBoxModel(m_params, m_strings, m_hOwner != nullptr, iconHandle, ::GetSystemMetrics(SM_CXICON));
  BuildAndMeasure();

  SetText(m_hWnd, StartingCaption(m_params, m_strCaption, m_model.texts.countdownFormat, m_nCountdown));
  if (CloseStartsGreyed(m_params, m_model.buttons.cancellable, m_model.DefaultId()))
    ::EnableMenuItem(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  // Centred over the owner, or over the screen.
  RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (m_hOwner) ::GetWindowRect(m_hOwner, &area);
  RECT frame{};
  ::GetWindowRect(m_hWnd, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(m_hWnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | kKeepOrderAndFocus);

  PlaceControls();

  if (m_params.style & S::kTopmost) ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (m_params.style & S::kSetForeground) ::SetForegroundWindow(m_hWnd);
  if (m_nCountdown > 0) ::SetTimer(m_hWnd, kMessageBoxTimerId, kMessageBoxTimerPeriodMs, nullptr);

  if (HWND focus = DefaultButton()) ::SetFocus(focus);
  return FALSE;  // the focus is set
}

void CRichMessageBox::BuildAndMeasure() {
  DestroyControls();
  {
    const framework::ClientDC windowDc(m_hWnd);
    GdiSurface surface(windowDc.get());
    Win32DialogLook look(m_font.get());
    m_pContent->Measure(m_params, m_model.texts, surface, look);
  }
  const MessageBoxAreas& areas = m_pContent->Areas();

  if (m_params.style & S::kCheckBox) {
    m_hCheckBox = MakeChild(L"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, kCheckBoxId);
    if (m_params.style & S::kChecked) ::SendMessageA(m_hCheckBox, BM_SETCHECK, BST_CHECKED, 0);
    m_hCheckLabel = MakeChild(L"STATIC", m_model.texts.checkBox, SS_LEFT | SS_NOPREFIX, kCheckLabelId);
  }
  CreateButtons();

  const int width = areas.width + 2 * ::GetSystemMetrics(SM_CXDLGFRAME);
  const int height = areas.CollapsedHeight() + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYDLGFRAME);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | kKeepOrderAndFocus);
}

void CRichMessageBox::CreateButtons() {
  const MessageBoxButtons& buttons = m_model.buttons;
  for (std::size_t i = 0; i < buttons.ids.size(); ++i) {
    const std::uint32_t id = buttons.ids[i];
    const ButtonStart start =
        StartingButton(id, m_model.texts.buttons[i], i == buttons.defaultIndex, m_params, m_nCountdown);
    const DWORD style =
        WS_TABSTOP | (start.defaultStyle ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (start.enabled ? 0 : WS_DISABLED);
    m_buttons.push_back(MakeChild(L"BUTTON", start.caption, style, static_cast<int>(id)));
  }
  // Enter presses the default button. Setting it also gives it the default
  // look, which a button held disabled does not get until it is released.
  if (HWND button = DefaultButton(); button && ::IsWindowEnabled(button))
    ::SendMessageA(m_hWnd, DM_SETDEFID, m_model.DefaultId(), 0);
}

void CRichMessageBox::PlaceControls() {
  const RECT client = ClientRect(m_hWnd);
  const Rect area{client.left, client.top, client.right, client.bottom};
  const MessageBoxAreas& areas = m_pContent->Areas();
  const bool below = (m_params.style & S::kCheckBoxBelow) != 0;
  const std::vector<Rect> row = PlaceButtonRow(area, m_buttons.size(), areas.buttonWidth, areas.buttonHeight,
                                               m_params.buttonAlignment, below, m_pContent->Metrics());
  for (std::size_t i = 0; i < m_buttons.size(); ++i) MoveTo(m_buttons[i], row[i]);
  if (m_hCheckBox) {
    const CheckBoxPlace place =
        PlaceCheckBox(area, areas.checkBoxLabel, areas.buttonHeight, below, m_pContent->Metrics());
    MoveTo(m_hCheckBox, place.box);
    MoveTo(m_hCheckLabel, place.label);
  }
}

HWND CRichMessageBox::MakeChild(const wchar_t* windowClass, const std::string& text, DWORD style, int id) {
  HWND child =
      ::CreateWindowExW(0, windowClass, WidePath(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (child && m_font) ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
  return child;
}

void CRichMessageBox::DestroyControls() {
  for (HWND button : m_buttons)
    if (::IsWindow(button)) ::DestroyWindow(button);
  m_buttons.clear();
  for (HWND* child : {&m_hCheckBox, &m_hCheckLabel}) {
    if (*child && ::IsWindow(*child)) ::DestroyWindow(*child);
    *child = nullptr;
  }
}

HWND CRichMessageBox::DefaultButton() const {
  const std::size_t index = m_model.buttons.defaultIndex;
  return index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void CRichMessageBox::SetDefaultButtonCaption(const std::string& caption) const {
  if (HWND button = DefaultButton()) SetText(button, caption);
}

void CRichMessageBox::BuildBackground(HDC compatible, int width, int height) {
  m_pBackground = std::make_unique<GdiDib>(compatible, width, height);
  if (!m_pBackground->ok()) return;
  MessageBoxAreas areas = m_pContent->Areas();
  areas.width = width;  // the client as it came out, should the frame differ from the metrics
  GdiSurface surface(m_pBackground->dc());
  Win32DialogLook look(m_font.get());
  const Win32SystemColors system;
  PaintMessageBoxBands(surface, m_pContent->MessageDrawer().GetDrawManager(), look, m_params, m_model.texts, areas,
                       system);
}

void CRichMessageBox::Render(HDC target, bool textAreasOnly) {
  const RECT client = ClientRect(m_hWnd);
  const int width = client.right;
  const int height = client.bottom;
  const MessageBoxAreas& areas = m_pContent->Areas();
  if (!m_pBackground) BuildBackground(target, width, m_bExpanded ? height : height + areas.moreHeight);

  GdiDib frame(target, width, height);
  if (!frame.ok()) return;
  if (m_pBackground->ok()) ::BitBlt(frame.dc(), 0, 0, width, height, m_pBackground->dc(), 0, 0, SRCCOPY);
  {
    GdiSurface surface(frame.dc());
    m_pContent->Draw(surface, m_bExpanded, height);
  }
  if (!textAreasOnly) {
    ::BitBlt(target, 0, 0, width, height, frame.dc(), 0, 0, SRCCOPY);
    return;
  }
  // Only the texts: the buttons over the bands stay as they are.
  BlitArea(target, frame.dc(), areas.Header());
  BlitArea(target, frame.dc(), areas.Message());
  if (m_bExpanded) BlitArea(target, frame.dc(), {0, areas.More().top, width, height});
}

void CRichMessageBox::OnPaint() {
  const framework::PaintDC dc(m_hWnd);
  if (dc.get()) Render(dc.get(), false);
}

void CRichMessageBox::OnLinkNotify() {
  const framework::ClientDC dc(m_hWnd);
  if (dc.get()) Render(dc.get(), true);
}

bool CRichMessageBox::OnSetCursor() {
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(m_hWnd, &point);
  return m_pContent->SetCursorForPoint({point.x, point.y});
}

void CRichMessageBox::OnCommand(std::uint32_t id) {
  switch (ClassifyCommand(id, m_model.buttons.cancellable)) {
    case BoxCommand::Ignore:
      return;
    case BoxCommand::Help: {
      const std::string helpFile = HelpFilePath(ProgramPath());
      if (m_params.helpContext != 0)
        ::WinHelpW(m_hWnd, WidePath(helpFile).c_str(), HELP_CONTEXT, m_params.helpContext);
      else
        ::WinHelpW(m_hWnd, WidePath(helpFile).c_str(), kHelpPartialKey, 0);
      return;
    }
    case BoxCommand::Report:
      if (m_hOwner) ::SendMessageA(m_hOwner, m_params.reportMessage, 0, 0);
      return;
    case BoxCommand::ToggleMore:
      ToggleMore();
      return;
    case BoxCommand::End:
      EndBox(id);
      return;
  }
}

void CRichMessageBox::ToggleMore() {
  const auto& ids = m_model.buttons.ids;
  const auto more = std::find(ids.begin(), ids.end(), B::kMore);
  if (more == ids.end()) return;
  m_bExpanded = !m_bExpanded;
  const std::size_t index = static_cast<std::size_t>(more - ids.begin());
  const std::string& caption = m_bExpanded ? m_model.texts.less : m_model.texts.buttons[index];
  SetText(m_buttons[index], caption);
  RECT frame{};
  ::GetWindowRect(m_hWnd, &frame);
  const int change = m_bExpanded ? m_pContent->Areas().moreHeight : -m_pContent->Areas().moreHeight;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + change,
                 SWP_NOMOVE | kKeepOrderAndFocus);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CRichMessageBox::EndBox(std::uint32_t id) {
  ::KillTimer(m_hWnd, kMessageBoxTimerId);
  const bool checked = m_hCheckBox && ::SendMessageA(m_hCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const std::uint32_t result = CommandResult(id, m_params.style, checked);
  if (StoresAnswer(m_params, m_hCheckBox != nullptr, checked)) StoreRememberedAnswer(m_params, result);
  ::EndDialog(m_hWnd, static_cast<INT_PTR>(result));
}

void CRichMessageBox::OnTimer() {
  const std::string& plain = m_model.texts.buttons[m_model.buttons.defaultIndex];
  const bool inCaption = CountdownInCaption(m_params);
  switch (CountdownTick(m_nCountdown, m_params)) {
    case CountdownStep::Show:
      if (inCaption)
        SetText(m_hWnd, FormatCountdown(m_model.texts.countdownFormat, m_strCaption, m_nCountdown));
      else
        SetDefaultButtonCaption(CountingCaption(plain, m_nCountdown));
      return;
    case CountdownStep::Release: {
      ::KillTimer(m_hWnd, kMessageBoxTimerId);
      if (m_model.buttons.cancellable)
        ::EnableMenuItem(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
      if (inCaption) {
        SetText(m_hWnd, m_strCaption);
        for (HWND button : m_buttons) ::EnableWindow(button, TRUE);
      } else {
        SetDefaultButtonCaption(plain);
      }
      if (HWND button = DefaultButton()) {
        ::EnableWindow(button, TRUE);
        ::SendMessageA(m_hWnd, DM_SETDEFID, m_model.DefaultId(), 0);
        ::SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        ::SetFocus(button);
      }
      return;
    }
    case CountdownStep::Press:
      ::KillTimer(m_hWnd, kMessageBoxTimerId);
      SetDefaultButtonCaption(plain);
      ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(m_model.DefaultId(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(DefaultButton()));
      return;
  }
}

}  // namespace tessel
