#include "app/file_prefix_dlg.h"

#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/wizard_message.h"
#include "export/export_names.h"
#include "res/resource.h"

namespace {
// The caption of the prefix dialog's notices, as it stands.
constexpr char kPrefixNoticeCaption[] = "Oxbrim Tessel Quillon";
}  // namespace

CFilePrefixDlg::CFilePrefixDlg(CWnd* parent) : CPictureDialog(IDD_FILE_PREFIX, IDB_PREFIX_BACKGROUND, parent) {}

void CFilePrefixDlg::BindControls() { m_lblPrefix.SubclassDlgItem(IDC_PREFIX_LABEL, *this); }

BOOL CFilePrefixDlg::OnInitDialog() {
  CPictureDialog::OnInitDialog();
  if (g_pWizardDlg) ::SetDlgItemTextA(m_hWnd, IDC_PREFIX_EDIT, g_pWizardDlg->FilePrefix().c_str());
  return TRUE;
}

void CFilePrefixDlg::OnOK() {
  HWND edit = GetDlgItem(IDC_PREFIX_EDIT);
  std::string prefix(static_cast<size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
  prefix.resize(static_cast<size_t>(::GetWindowTextA(edit, prefix.data(), static_cast<int>(prefix.size()))));
  if (prefix.empty()) {
    WizardMessageBox("Please fill prefix", kNoticeStyle, kPrefixNoticeCaption);
    return;
  }
  if (!tessel::exporting::IsValidPrefix(prefix)) {
    WizardMessageBox("Illegal character found in file prefix ", kNoticeStyle, kPrefixNoticeCaption);
    return;
  }
  if (g_pWizardDlg) g_pWizardDlg->SetFilePrefix(prefix);
  EndDialog(IDOK);
}

void CRecoveryWizardDlg::OnSettings() {
  CFilePrefixDlg dialog(this);
  dialog.DoModal();
}
