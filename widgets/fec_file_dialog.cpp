#include "widgets/fec_file_dialog.h"

#include <algorithm>

#include "win32_base/wide_path.h"

namespace {
// The platform's "buffer too small" error of the common dialogs.
constexpr DWORD kBufferTooSmall = 12291;

// One dialog answer (CDM_GETSPEC or CDM_GETFOLDERPATH): first its size, asked
// with a one-character buffer, then the text.
std::wstring AskDialog(HWND dialog, UINT message) {
  wchar_t probe[1] = {};
  LRESULT size = ::SendMessageW(dialog, message, 1, reinterpret_cast<LPARAM>(probe));
  if (size <= 0) return {};
  std::vector<wchar_t> text(static_cast<size_t>(size) + 1, L'\0');
  ::SendMessageW(dialog, message, static_cast<WPARAM>(size + 1), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

// Copies `text` into a zero-filled buffer with room for two terminators, so
// the names it will hold always end in a double zero.
std::vector<wchar_t> OwnedCopy(const std::wstring& text) {
  std::vector<wchar_t> buffer(text.size() + 2, L'\0');
  std::copy(text.begin(), text.end(), buffer.begin());
  return buffer;
}
}  // namespace

void CFECFileDialog::FreeBuffers() {
  m_pszFolder.clear();
  m_pszFiles.clear();
}

void CFECFileDialog::OnFileNameChange() {
  KeepWideSelectionIfTooLong(AskDialog(m_hWnd, CDM_GETSPEC), AskDialog(m_hWnd, CDM_GETFOLDERPATH));
  CFileDialog::OnFileNameChange();
}

void CFECFileDialog::KeepSelectionIfTooLong(const std::string& selection, const std::string& folder) {
  KeepWideSelectionIfTooLong(tessel::WidePath(selection), tessel::WidePath(folder));
}

void CFECFileDialog::KeepWideSelectionIfTooLong(const std::wstring& selection, const std::wstring& folder) {
  if (m_ofn.nMaxFile < selection.size() + folder.size()) {
    m_bParsed = 0;
    m_pszFiles = OwnedCopy(selection);
    m_pszFolder = OwnedCopy(folder);
  } else {
    FreeBuffers();
  }
}

INT_PTR CFECFileDialog::DoModal() {
  FreeBuffers();
  INT_PTR result = CFileDialog::DoModal();
  if (result == IDCANCEL && ::CommDlgExtendedError() == kBufferTooSmall && !m_pszFiles.empty()) return IDOK;
  return result;
}

POSITION CFECFileDialog::GetStartPosition() {
  if (m_pszFiles.empty()) return CFileDialog::GetStartPosition();
  if (!m_bParsed) {
    // "a" "b" -> "a"b" -> a"b -> a\0b\0. A single name carries no quotes.
    std::wstring selection = m_pszFiles.data();
    std::wstring names;
    for (size_t at = 0; at < selection.size(); ++at) {
      names.push_back(selection[at]);
      if (selection.compare(at, 3, L"\" \"") == 0) at += 2;
    }
    if (names.size() >= 2 && names.front() == L'"' && names.back() == L'"') names = names.substr(1, names.size() - 2);
    std::replace(names.begin(), names.end(), L'"', L'\0');
    m_pszFiles = OwnedCopy(names);
    m_bParsed = 1;
  }
  return m_pszFiles[0] ? m_pszFiles.data() : nullptr;
}

std::string CFECFileDialog::GetNextPathName(POSITION& position) const {
  if (m_pszFiles.empty()) return CFileDialog::GetNextPathName(position);
  return NextPathAfterFolder(m_pszFolder.empty() ? std::wstring() : std::wstring(m_pszFolder.data()), position);
}
