// CChooseStep: the choose step's own controls, owned by the wizard window:
// the three "Proceed ..." buttons (a message store, an address book, a whole
// IncrediMail folder) and the deep scan box.
#pragma once

#include <windows.h>

#include "framework/controls.h"
#include "recovery/wizard_steps.h"

class CChooseStep {
 public:
  void Bind(const CWnd& dialog);
  // The deep scan starts ticked: every message once is what most people come for.
  void SetUp() { m_chkDeepScan.SetCheck(BST_CHECKED); }
  void Show(const tessel::recovery::WizardControls& shown);
  bool DeepScanChecked() const { return m_chkDeepScan.GetCheck() == BST_CHECKED; }
  const CButton& DeepScanBox() const { return m_chkDeepScan; }

 private:
  CButton m_btnProceedStore;
  CButton m_btnProceedAddressBook;
  CButton m_btnProceedIdentity;
  CButton m_chkDeepScan;
};
