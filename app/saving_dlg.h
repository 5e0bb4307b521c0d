// CSavingDlg: "Saving Mails..." (template 154). It runs a save job on a
// thread of its own, so that it repaints while files are written; it shows the
// From, To and Subject of the message being written (for contacts: display
// name, e-mail and title), "N of M" with the time left, and a bar over the
// checked rows. Cancel stops the
// job after the current file; the dialog closes with OK when the job is done.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "recovery/save_job.h"
#include "win32_base/gdi_handles.h"

using tessel::recovery::SaveJob;
using tessel::recovery::SaveOutcome;

class CSavingDlg : public CDialog {
 public:
  CSavingDlg(SaveJob& job, CWnd* parent);
  const char* GetRuntimeClassName() const override { return "CSavingDlg"; }

  // Valid after DoModal.
  const SaveOutcome& Outcome() const { return m_outcome; }
  // The save thread, for waiting until it has ended.
  framework::UniqueKernelHandle m_hThread;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  static UINT SaveThread(LPVOID self);

  SaveJob& m_job;
  SaveOutcome m_outcome;
  CProgressCtrl m_prgSave;
  bool m_bDone = false;
  // When the job began, for the time left.
  DWORD m_nStartedAt = 0;
};

// Runs the dialog and waits for its thread; returns what the job did.
SaveOutcome RunSavingDialog(SaveJob& job, CWnd* parent);
