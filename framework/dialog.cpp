#include "framework/dialog.h"

#include "framework/message_pump.h"
#include "framework/module.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CDialog::Create() {
  if (m_hWnd) return true;
  m_bEnded = false;
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : m_hWndOwner;
  // A wide dialog: its controls hold and take any character (a name prefix
  // typed in Cyrillic on a Western Windows, say).
  ::CreateDialogParamW(framework::ResourceModule(), MAKEINTRESOURCEW(m_nIDTemplate), parent, &CDialog::DialogProc,
                       reinterpret_cast<LPARAM>(this));
  return m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal() {
  // Without a parent of its own, a modal dialog belongs to the active window.
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  m_hWndOwner = parent;
  bool disableParent = parent && ::IsWindowEnabled(parent);
  if (disableParent) ::EnableWindow(parent, FALSE);
  m_bModal = true;
  if (!Create()) {
    m_bModal = false;
    m_hWndOwner = nullptr;
    if (disableParent) ::EnableWindow(parent, TRUE);
    return -1;
  }
  if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  RunModalLoop();
  m_bModal = false;
  m_hWndOwner = nullptr;
  if (disableParent) ::EnableWindow(parent, TRUE);
  if (parent) ::SetActiveWindow(parent);
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  return m_nResult;
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_bEnded && m_hWnd) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // Leave the quit request for the loop outside.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    framework::PumpMessage(&msg);
  }
}

void CDialog::EndDialog(int result) {
  m_nResult = result;
  m_bEnded = true;
  if (!m_bModal && m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

bool CDialog::OnCommand(UINT id, UINT, HWND) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_INITDIALOG:
      BindControls();
      *result = OnInitDialog();
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_ERASEBKGND:
      *result = TRUE;
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      return OnPaint();
    case WM_SYSCOMMAND:
      return OnSysCommand(static_cast<UINT>(wParam), lParam);
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
      return *result != 0;
    case WM_CLOSE:
      return OnClose();
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (CWnd* child = FromHandle(reinterpret_cast<HWND>(lParam)))
        return child->OnChildNotify(message, wParam, lParam, result);
      return false;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return false;
      if (CWnd* child = FromHandle(item->hwndItem)) {
        *result = TRUE;
        return child->OnChildNotify(message, wParam, lParam, result);
      }
      return false;
    }
    default:
      return false;
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->SetHandleProperty(window);
  } else {
    self = static_cast<CDialog*>(FromHandle(window));
  }
  if (!self) return FALSE;

  LRESULT result = 0;
  bool handled = self->HandleMessage(message, wParam, lParam, &result);
  if (message == WM_NCDESTROY) {
    self->RemoveHandleProperty();
    self->m_hWnd = nullptr;
    return FALSE;
  }
  if (!handled) return FALSE;
  switch (message) {
    // These answer through the procedure's return value.
    case WM_INITDIALOG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return static_cast<INT_PTR>(result);
    default:
      ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
      return TRUE;
  }
}
