#include "widgets/fec_file_dialog.h"

#include <algorithm>
#include <cstring>

namespace {
// The platform's "buffer too small" error of the common dialogs.
constexpr DWORD kBufferTooSmall = 12291;

// One dialog answer (CDM_GETSPEC or CDM_GETFOLDERPATH): first its size, asked
// with a one-character buffer, then the text.
std::string AskDialog(HWND dialog, UINT message) {
  char probe[1] = {};
  LRESULT size = ::SendMessageA(dialog, message, 1, reinterpret_cast<LPARAM>(probe));
  if (size <= 0) return {};
  std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
  ::SendMessageA(dialog, message, static_cast<WPARAM>(size + 1), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

// Copies `text` into a zero-filled buffer with room for two terminators, so
// the names it will hold always end in a double zero.
std::vector<char> OwnedCopy(const std::string& text) {
  std::vector<char> buffer(text.size() + 2, '\0');
  std::copy(text.begin(), text.end(), buffer.begin());
  return buffer;
}
}  // namespace

void CFECFileDialog::FreeBuffers() {
  m_pszFolder.clear();
  m_pszFiles.clear();
}

void CFECFileDialog::OnFileNameChange() {
  KeepSelectionIfTooLong(AskDialog(m_hWnd, CDM_GETSPEC), AskDialog(m_hWnd, CDM_GETFOLDERPATH));
  CFileDialog::OnFileNameChange();
}

void CFECFileDialog::KeepSelectionIfTooLong(const std::string& selection, const std::string& folder) {
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
    std::string selection = m_pszFiles.data();
    std::string names;
    for (size_t at = 0; at < selection.size(); ++at) {
      names.push_back(selection[at]);
      if (selection.compare(at, 3, "\" \"") == 0) at += 2;
    }
    if (names.size() >= 2 && names.front() == '"' && names.back() == '"') names = names.substr(1, names.size() - 2);
    std::replace(names.begin(), names.end(), '"', '\0');
    m_pszFiles = OwnedCopy(names);
    m_bParsed = 1;
  }
  return m_pszFiles[0] ? m_pszFiles.data() : nullptr;
}

std::string CFECFileDialog::GetNextPathName(POSITION& position) const {
  if (m_pszFiles.empty()) return CFileDialog::GetNextPathName(position);
  if (!position) return {};
  std::string folder = m_pszFolder.empty() ? std::string() : std::string(m_pszFolder.data());
  std::string name = position;
  position += name.size() + 1;
  if (*position == '\0') position = nullptr;
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  return folder + name;
}
