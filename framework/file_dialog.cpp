#include "framework/file_dialog.h"

#include <cwchar>

#include "win32_base/wide_path.h"

namespace {
// One path of at most MAX_PATH characters, as the platform's dialogs expect.
constexpr size_t kDefaultFileBuffer = MAX_PATH;
// Zeros after the buffer's last character, so that walks over the chosen
// names always find their end.
constexpr size_t kTerminatorSlack = 2;
}  // namespace

std::string FilterFromBars(const char* filter) {
  std::string converted = filter ? filter : "";
  for (char& c : converted)
    if (c == '|') c = '\0';
  converted.push_back('\0');
  converted.push_back('\0');
  return converted;
}

std::string NextPathAfterFolder(const std::wstring& folder, POSITION& position) {
  if (!position) return {};
  std::wstring path = folder;
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  const std::wstring name = position;
  position += name.size() + 1;
  if (*position == L'\0') position = nullptr;
  return tessel::Utf8OfWide(path + name);
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = &CFileDialog::HookProc;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (defaultExtension) {
    m_strDefExt = tessel::WidePath(defaultExtension);
    m_ofn.lpstrDefExt = m_strDefExt.c_str();
  }
  if (filter) {
    m_strFilter = tessel::WidePath(FilterFromBars(filter));
    m_ofn.lpstrFilter = m_strFilter.c_str();
    m_ofn.nFilterIndex = 1;
  }
  SetFileBufferSize(kDefaultFileBuffer);
  if (fileName) std::wcsncpy(m_fileBuffer.data(), tessel::WidePath(fileName).c_str(), m_ofn.nMaxFile - 1);
}

CFileDialog::~CFileDialog() { Detach(); }

void CFileDialog::SetFileBufferSize(size_t characters) {
  if (characters == 0) characters = 1;
  std::vector<wchar_t> buffer(characters + kTerminatorSlack, L'\0');
  if (!m_fileBuffer.empty()) std::wcsncpy(buffer.data(), m_fileBuffer.data(), characters - 1);
  m_fileBuffer.swap(buffer);
  m_ofn.lpstrFile = m_fileBuffer.data();
  m_ofn.nMaxFile = static_cast<DWORD>(characters);
}

void CFileDialog::SetTitle(const std::string& title) {
  m_strTitle = tessel::WidePath(title);
  m_ofn.lpstrTitle = m_strTitle.c_str();
}

void CFileDialog::SetInitialDir(const std::string& folder) {
  m_strInitialDir = tessel::WidePath(folder);
  m_ofn.lpstrInitialDir = m_strInitialDir.c_str();
}

INT_PTR CFileDialog::DoModal() {
  BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  Detach();
  return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
  POSITION position = m_ofn.lpstrFile;
  return GetNextPathName(position);
}

POSITION CFileDialog::GetStartPosition() { return m_ofn.lpstrFile; }

std::string CFileDialog::GetNextPathName(POSITION& position) const {
  if (!position) return {};
  const wchar_t* buffer = m_ofn.lpstrFile;
  const wchar_t* afterFirst = buffer + std::wcslen(buffer) + 1;
  // One file: the buffer holds its full path. Several: the folder, then the
  // names, each ended by a zero, and a second zero after the last.
  bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && *afterFirst != L'\0';
  if (!several) {
    position = nullptr;
    return tessel::Utf8OfWide(buffer);
  }
  if (position == buffer) position = afterFirst;
  return NextPathAfterFolder(buffer, position);
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam) {
  // The hook's window is a child of the explorer-style dialog.
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
    ::SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->Attach(::GetParent(child));
    return 0;
  }
  auto* self = reinterpret_cast<CFileDialog*>(::GetWindowLongPtrW(child, DWLP_USER));
  if (self && message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE) self->OnFileNameChange();
  return 0;
}
