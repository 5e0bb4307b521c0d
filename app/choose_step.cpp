#include "app/choose_step.h"

#include "res/resource.h"

void CChooseStep::Bind(const CWnd& dialog) {
  m_btnProceedStore.SubclassDlgItem(IDC_PROCEED_STORE, dialog);
  m_btnProceedAddressBook.SubclassDlgItem(IDC_PROCEED_ADDRESS_BOOK, dialog);
  m_btnProceedIdentity.SubclassDlgItem(IDC_PROCEED_IDENTITY, dialog);
  m_chkDeepScan.SubclassDlgItem(IDC_DEEP_SCAN, dialog);
}

void CChooseStep::Show(const tessel::recovery::WizardControls& shown) {
  for (CButton* control : {&m_btnProceedStore, &m_btnProceedAddressBook, &m_btnProceedIdentity, &m_chkDeepScan}) {
    control->ShowWindow(shown.chooseStep ? SW_SHOW : SW_HIDE);
    control->EnableWindow(shown.proceedEnabled);
  }
  // The box may be set for the next scan while a stopped one ends.
  m_chkDeepScan.EnableWindow(true);
}
