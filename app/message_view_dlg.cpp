#include "app/message_view_dlg.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "app/wizard_message.h"
#include "export/output_file.h"
#include "framework/file_dialog.h"
#include "res/resource.h"
#include "win32_base/dpi.h"
#include "win32_base/wide_path.h"

namespace {

// Measures at 100%, in pixels.
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kLabelWidth = 56;
constexpr int kHeaderRowHeight = 18;
constexpr int kButtonHeight = 24;
constexpr int kOpenButtonWidth = 140;
constexpr int kSaveMessageWidth = 116;
constexpr int kCloseWidth = 80;
constexpr int kAttachmentsLabelHeight = 16;
constexpr int kAttachmentsHeight = 54;
constexpr int kSaveAttachmentWidth = 130;
constexpr SIZE kStartSize{640, 540};  // the window at its start
constexpr SIZE kLeastSize{460, 360};  // the window made as small as it goes
// Points of the fonts: the dialog's, and the body's a little larger to read.
constexpr int kFontPoints = 8;
constexpr int kBodyFontPoints = 10;
constexpr char kFontFace[] = "MS Shell Dlg 2";

// More of a body than this is no text anyone reads in a window; the rest is in
// the message that Save and Open in mail program give.
constexpr std::size_t kMostBodyCharacters = std::size_t{4} << 20;
constexpr char kBodyCutNote[] = "\r\n\r\n[The rest of this text is not shown here.]";

constexpr int kHeaderFields[][2] = {{IDC_VIEW_FROM_LABEL, IDC_VIEW_FROM},
                                    {IDC_VIEW_TO_LABEL, IDC_VIEW_TO},
                                    {IDC_VIEW_CC_LABEL, IDC_VIEW_CC},
                                    {IDC_VIEW_DATE_LABEL, IDC_VIEW_DATE},
                                    {IDC_VIEW_SUBJECT_LABEL, IDC_VIEW_SUBJECT}};

// Text for an edit control: CR LF line ends, and no NUL, which would end it.
std::wstring EditText(const std::string& text) {
  const std::wstring wide = tessel::WidePath(text);
  std::wstring out;
  out.reserve(wide.size() + wide.size() / 16);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const wchar_t c = wide[i];
    if (c == L'\n' && (i == 0 || wide[i - 1] != L'\r')) {
      out += L"\r\n";
    } else if (c == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n')) {
      out += L"\r\n";
    } else {
      out += c == L'\0' ? L' ' : c;
    }
  }
  if (out.size() > kMostBodyCharacters) {
    out.resize(kMostBodyCharacters);
    out += tessel::WidePath(kBodyCutNote);
  }
  return out;
}

// An attachment's name as a file name the chooser offers: characters no file
// name may hold become '_'.
std::string OfferedFileName(const std::string& name) {
  std::string offered = name;
  for (char& c : offered)
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("/\\|*:?<>\"").find(c) != std::string_view::npos)
      c = '_';
  return offered.empty() ? std::string("attachment") : offered;
}

bool SameFile(const std::string& a, const std::string& b) {
  wchar_t fullA[MAX_PATH * 4] = {}, fullB[MAX_PATH * 4] = {};
  if (!::GetFullPathNameW(tessel::WidePath(a).c_str(), MAX_PATH * 4, fullA, nullptr) ||
      !::GetFullPathNameW(tessel::WidePath(b).c_str(), MAX_PATH * 4, fullB, nullptr))
    return false;
  return ::lstrcmpiW(fullA, fullB) == 0;
}

HFONT MakeFont(int points, int dpi) {
  LOGFONTA font{};
  font.lfHeight = -::MulDiv(points, dpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  ::lstrcpynA(font.lfFaceName, kFontFace, LF_FACESIZE);
  return ::CreateFontIndirectA(&font);
}

}  // namespace

CMessageViewDlg::CMessageViewDlg(const tessel::recovery::ReadableMessage& message, std::vector<std::string> inputs,
                                 CWnd* parent)
    : CDialog(IDD_MESSAGE_VIEW, parent), m_message(message), m_inputs(std::move(inputs)) {}

int CMessageViewDlg::Scale(int value) const { return framework::ScaleToDpi(value, m_nDpi); }

BOOL CMessageViewDlg::OnInitDialog() {
  const tessel::mail::ReadableHeader& header = m_message.Header();
  const std::string caption = header.subject.empty() ? kNoSubject : header.subject;
  ::SetWindowTextW(m_hWnd, tessel::WidePath(caption).c_str());
  const std::string* values[] = {&header.from, &header.to, &header.cc, &header.date, &header.subject};
  for (std::size_t i = 0; i < std::size(values); ++i)
    ::SetDlgItemTextW(m_hWnd, kHeaderFields[i][1], EditText(*values[i]).c_str());

  HWND body = GetDlgItem(IDC_VIEW_BODY);
  ::SendMessageW(body, EM_SETLIMITTEXT, 0, 0);  // as much as the control holds
  const std::string& text = m_message.Text().body;
  ::SetWindowTextW(body, EditText(note.empty() ? text : "[" + note + "]\n\n" + text).c_str());

  HWND list = GetDlgItem(IDC_VIEW_ATTACHMENTS);
  for (const tessel::mail::Attachment& attachment : m_message.Text().attachments) {
    const std::string line = attachment.name + " (" + std::to_string(attachment.size) + " bytes)";
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tessel::WidePath(line).c_str()));
  }
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  const bool attachments = !m_message.Text().attachments.empty();
  for (int id : {IDC_VIEW_ATTACHMENTS_LABEL, IDC_VIEW_ATTACHMENTS, IDC_VIEW_SAVE_ATTACHMENT})
    ::ShowWindow(GetDlgItem(id), attachments ? SW_SHOW : SW_HIDE);

  // The window's size for its DPI, in the middle of its owner's monitor.
  m_nDpi = framework::WindowDpi(m_hWnd);
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = std::min<int>(Scale(kStartSize.cx), work.right - work.left);
  const int height = std::min<int>(Scale(kStartSize.cy), work.bottom - work.top);
  RECT centre = work;
  if (owner) ::GetWindowRect(owner, &centre);
  const int left = std::clamp<int>((centre.left + centre.right - width) / 2, work.left, work.right - width);
  const int top = std::clamp<int>((centre.top + centre.bottom - height) / 2, work.top, work.bottom - height);
  ::SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi();

  // The body first: the arrows and page keys scroll it.
  ::SetFocus(body);
  ::SendMessageW(body, EM_SETSEL, 0, 0);
  return FALSE;
}

void CMessageViewDlg::ApplyDpi() {
  m_hFont.reset(MakeFont(kFontPoints, m_nDpi));
  m_hBodyFont.reset(MakeFont(kBodyFontPoints, m_nDpi));
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const HFONT font = ::GetDlgCtrlID(child) == IDC_VIEW_BODY ? m_hBodyFont.get() : m_hFont.get();
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  Layout();
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMessageViewDlg::Layout() {
  const RECT client = GetClientRect();
  const int margin = Scale(kMargin), gap = Scale(kGap);
  const int right = client.right - margin;
  auto place = [this](int id, int x, int y, int width, int height) {
    ::SetWindowPos(GetDlgItem(id), nullptr, x, y, std::max(width, 0), std::max(height, 0),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  };

  int y = margin;
  const int rowHeight = Scale(kHeaderRowHeight), labelWidth = Scale(kLabelWidth);
  for (const auto& field : kHeaderFields) {
    place(field[0], margin, y, labelWidth, rowHeight);
    place(field[1], margin + labelWidth, y, right - margin - labelWidth, rowHeight);
    y += rowHeight;
  }
  const int bodyTop = y + gap;

  const int buttonHeight = Scale(kButtonHeight);
  const int buttonTop = client.bottom - margin - buttonHeight;
  place(IDC_VIEW_OPEN, margin, buttonTop, Scale(kOpenButtonWidth), buttonHeight);
  place(IDC_VIEW_SAVE_MESSAGE, margin + Scale(kOpenButtonWidth) + gap, buttonTop, Scale(kSaveMessageWidth),
        buttonHeight);
  place(IDCANCEL, right - Scale(kCloseWidth), buttonTop, Scale(kCloseWidth), buttonHeight);

  int bodyBottom = buttonTop - gap;
  if (!m_message.Text().attachments.empty()) {
    const int listTop = buttonTop - gap - Scale(kAttachmentsHeight);
    const int labelTop = listTop - Scale(kAttachmentsLabelHeight);
    const int saveWidth = Scale(kSaveAttachmentWidth);
    place(IDC_VIEW_ATTACHMENTS_LABEL, margin, labelTop, right - margin, Scale(kAttachmentsLabelHeight));
    place(IDC_VIEW_ATTACHMENTS, margin, listTop, right - margin - saveWidth - gap, Scale(kAttachmentsHeight));
    place(IDC_VIEW_SAVE_ATTACHMENT, right - saveWidth, listTop, saveWidth, buttonHeight);
    bodyBottom = labelTop - gap;
  }
  place(IDC_VIEW_BODY, margin, bodyTop, right - margin, bodyBottom - bodyTop);
}

bool CMessageViewDlg::OnCommand(UINT id, UINT code, HWND control) {
  switch (id) {
    case IDC_VIEW_SAVE_ATTACHMENT:
      SaveAttachment();
      return true;
    case IDC_VIEW_ATTACHMENTS:
      if (code == LBN_DBLCLK) SaveAttachment();
      return true;
    case IDC_VIEW_OPEN:
      if (onOpenInMailProgram) onOpenInMailProgram();
      return true;
    case IDC_VIEW_SAVE_MESSAGE:
      if (onSaveMessage) onSaveMessage();
      return true;
    default:
      return CDialog::OnCommand(id, code, control);
  }
}

bool CMessageViewDlg::OnClose() {
  EndDialog(IDCANCEL);
  return true;
}

void CMessageViewDlg::SaveAttachment() {
  const auto& attachments = m_message.Text().attachments;
  const auto index = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_VIEW_ATTACHMENTS, LB_GETCURSEL, 0, 0));
  if (index < 0 || static_cast<std::size_t>(index) >= attachments.size()) return;
  CFileDialog chooser(FALSE, nullptr, OfferedFileName(attachments[static_cast<std::size_t>(index)].name).c_str(),
                      OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR,
                      "All files (*.*)|*.*||", this);
  chooser.SetTitle(kSaveAttachmentTitle);
  if (chooser.DoModal() != IDOK) return;
  const std::string path = chooser.GetPathName();
  // The user agreed to replace a file of that name; never a file being read.
  for (const std::string& input : m_inputs) {
    if (SameFile(path, input)) {
      WizardMessageBox(("The attachment is not saved: " + path + " is a file being read.").c_str(), kErrorStyle);
      return;
    }
  }
  tessel::exporting::OutputFile file;
  std::string error;
  if (file.Create(path, tessel::exporting::Collision::kReplace, error)) {
    file.Write(m_message.AttachmentBytes(static_cast<std::size_t>(index)));
    if (file.Finish(error)) return;
  }
  WizardMessageBox(("The attachment cannot be saved: " + error + ".").c_str(), kErrorStyle);
}

bool CMessageViewDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return false;
    case WM_GETMINMAXINFO: {
      auto* sizes = reinterpret_cast<MINMAXINFO*>(lParam);
      sizes->ptMinTrackSize = {Scale(kLeastSize.cx), Scale(kLeastSize.cy)};
      *result = 0;
      return true;
    }
    case WM_DPICHANGED: {
      m_nDpi = HIWORD(wParam);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi();
      *result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
      // The read-only body reads as a page, white as text to be read is.
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_VIEW_BODY)) {
        ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOWTEXT));
        *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        return true;
      }
      return CDialog::HandleMessage(message, wParam, lParam, result);
    default:
      return CDialog::HandleMessage(message, wParam, lParam, result);
  }
}
