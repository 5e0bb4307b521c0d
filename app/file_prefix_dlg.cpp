#include "app/file_prefix_dlg.h"

#include <utility>

#include "app/recovery_wizard_dlg.h"
#include "app/wizard_message.h"
#include "win32_base/wide_path.h"
#include "export/export_names.h"
#include "res/resource.h"

namespace {
// The caption of the prefix dialog's notices, as it stands.
constexpr char kPrefixNoticeCaption[] = "Oxbrim Tessel Quillon";
}  // namespace

CFilePrefixDlg::CFilePrefixDlg(std::string prefix, CWnd* parent)
    : CPictureDialog(IDD_FILE_PREFIX, IDB_PREFIX_BACKGROUND, parent), m_strPrefix(std::move(prefix)) {}

void CFilePrefixDlg::BindControls() { m_lblPrefix.SubclassDlgItem(IDC_PREFIX_LABEL, *this); }

BOOL CFilePrefixDlg::OnInitDialog() {
  CPictureDialog::OnInitDialog();
  ::SetDlgItemTextW(m_hWnd, IDC_PREFIX_EDIT, tessel::WidePath(m_strPrefix).c_str());
  return TRUE;
}

void CFilePrefixDlg::OnOK() {
  HWND edit = GetDlgItem(IDC_PREFIX_EDIT);
  // The prefix becomes part of file names: any character a name may hold.
  std::wstring typed(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
  typed.resize(static_cast<size_t>(::GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
  const std::string prefix = tessel::Utf8OfWide(typed);
  if (prefix.empty()) {
    WizardMessageBox("Please fill prefix", kNoticeStyle, kPrefixNoticeCaption);
    return;
  }
  if (!tessel::exporting::IsValidPrefix(prefix)) {
    WizardMessageBox("Illegal character found in file prefix ", kNoticeStyle, kPrefixNoticeCaption);
    return;
  }
  m_strPrefix = prefix;
  EndDialog(IDOK);
}

void CRecoveryWizardDlg::OnSettings() {
  CFilePrefixDlg dialog(m_strFilePrefix, this);
  if (dialog.DoModal() == IDOK) m_strFilePrefix = dialog.Prefix();
  m_results.ShowFilePrefix(m_strFilePrefix);
}
