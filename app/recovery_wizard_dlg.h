// CRecoveryWizardDlg: the wizard window (template 102). Its steps share its
// client area: the choose step shows the three "Proceed ..." buttons (a
// message store, an address book, a whole IncrediMail folder), the results
// step the list, the progress bar and Stop, Back and Save, the folder export's
// step a row per store and address book, the progress bar, Stop and Back; the
// link row shows in all. Each step's own controls stand in a class of their
// own (choose_step.h, results_step.h, move_step.h); the window holds those
// the steps share and the flow between them. The window lives as long as the process: leaving goes
// through the exit or live-update command, which end the process.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/choose_step.h"
#include "app/move_step.h"
#include "app/results_step.h"
#include "framework/controls.h"
#include "framework/picture_dialog.h"
#include "framework/worker_thread.h"
#include "widgets/hover_button.h"
#include "moving/identity_export.h"
#include "recovery/scan.h"
#include "recovery/wizard_steps.h"
#include "widgets/transparent_static.h"

class CRecoveryWizardDlg : public CPictureDialog {
 public:
  explicit CRecoveryWizardDlg(CWnd* parent = nullptr);
  ~CRecoveryWizardDlg() override;

  BOOL PreTranslateMessage(MSG* msg) override;
  const char* GetRuntimeClassName() const override { return "CRecoveryWizardDlg"; }

  std::string HelpFilePath() const;
  std::string LiveUpdatePath() const;
  // The preview file: "oxbtemp.eml" in the temporary folder.
  static std::string PreviewFilePath();

  // The file-name prefix of saved messages (the prefix dialog sets it).
  const std::string& FilePrefix() const { return m_strFilePrefix; }

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnPaint() override;
  bool OnSysCommand(UINT id, LPARAM lParam) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  HICON OnQueryDragIcon() override { return m_hIcon; }
  // Asks before ending the process; the window otherwise stays.
  bool OnClose() override;

 private:
  // The Windows tests look at the controls and state they drive.
  friend struct WizardTestAccess;

  // Help, About, links and live update.
  void OnHelp();
  // Opens `page` of the help file in the help viewer, or reports the file
  // missing as F1 does.
  void OpenHelpPage(const char* page);
  void OnLiveUpdate();
  void OnAbout();

  // The scan flow, the list and save.
  void OnProceedStore();
  void OnProceedAddressBook();
  void OnProceedIdentity();
  void OnStop();
  void OnBack();
  // Stop's effect once it applies: the flag for the worker, the controls, the stopping text.
  void ShowStopRequested();
  void OnSave();
  void OnSelectAllCheck();
  // The search box changed: the list and the count under the side panel's text follow.
  void OnSearchChanged();
  // Files dropped on the window: the first starts its scan or move as its Proceed would.
  void OnDropFiles(HDROP drop);
  void OnPreview();
  // The clicked row's message in the message view (message_view_dlg.h).
  void OnViewMessage();
  void OnSettings();
  void OnBrowse();

  // Shows the controls the step rules give for where the wizard stands.
  void ShowStepControls();
  // Replaces the list's columns by those of g_nScanMode.
  void SetListColumns();
  // The worker's steps that change controls, carried out on the window's
  // thread: the start (progress bar, scanning text) and the end.
  void OnScanStarted();
  void OnScanEnded(const tessel::recovery::ScanResult& result);

  // The folder of the last save, empty before the first.
  std::string m_strSaveFolder;
  // Asks for the folder to write into, starting in the last one; empty when
  // cancelled. The picker belongs to `owner` (null: the wizard).
  std::string PickSaveFolder(HWND owner = nullptr);

  // The folder export: its worker's word, carried out on the window's thread.
  bool HandleFolderExportMessage(UINT message, LPARAM lParam);
  void OnFolderExportEnded(const tessel::moving::IdentityExportResult& result);
  // A click (or Enter) on the end's links: the output folder, the help page on importing.
  bool OnExportLinkNotify(const NMHDR& header);
  // Exit during a move: asks its worker to stop, as Stop does, and handles the
  // window's messages until the worker has ended (or a bound has passed).
  void WaitForStoppedMove();
  // Exit or Live Update was answered Yes: a move is stopped and waited for, a
  // scan's worker ended at once.
  void EndWorkerBeforeLeaving();
  // Exit or Live Update was answered Yes: the process is on its way out.
  bool m_bLeaving = false;
  // The instruction line's place beside the list: the template's is too small for its texts.
  void PlaceInstructionLine();

  // 1 on the choose step, 2 on the results step, 3 on the folder export's.
  int StepNumber() const;
  tessel::recovery::WizardSteps m_steps;
  std::string m_strFilePrefix;
  // The program's own folder, where the help file and the updater are.
  std::string m_strProgramDir;

  CChooseStep m_choose;
  CResultsStep m_results;
  CMoveStep m_move;

  CHoverButton m_lnkHome;
  CHoverButton m_lnkSupport;
  CHoverButton m_lnkHelp;
  CHoverButton m_lnkAbout;
  CHoverButton m_lnkBuy;
  CProgressCtrl m_prgScan;
  CButton m_btnStop;
  CButton m_btnBack;
  CTransparentStatic m_lblInstruction;
  CTransparentStatic m_lblVersion;

  void AddAboutToSystemMenu();
  // Home, Support, Help, About and Buy, in the link row's order.
  std::array<CHoverButton*, 5> LinkButtons() { return {&m_lnkHome, &m_lnkSupport, &m_lnkHelp, &m_lnkAbout, &m_lnkBuy}; }
  void StartScan(bool addressBook);
  // A scan of `path` (an existing file), as Proceed starts it once the file is chosen.
  void StartScanOf(const std::string& path, bool addressBook);
  // The move of the folder `input`, as its Proceed starts it once the folder is chosen.
  void StartMove(const std::string& input);
  // The side panel's text after a scan: what to do, the count, and while the
  // search hides rows how many show.
  void ShowFoundText();
  std::string m_strFoundCount;
  void BeginScan();
  // Starts the one worker with its job; false when no thread could be started
  // (the job is then the caller's, and the steps are freed again).
  bool StartWorker(AFX_THREADPROC procedure, void* job);
  void OnListClick(const NMITEMACTIVATE& click);
  // Enter, Shift+F10 or the Menu key on the list: the focused row's menu, at the row.
  void OnListMenuKey(int row);
  // What a click on `row` does (a negative row: none): the notice while a
  // scan runs, else the "Preview Mail" menu at `screen` for a message row.
  void OfferPreview(int row, bool onCheckBox, POINT screen);
  void UpdateScanningText();
  void SaveCheckedRows();
  // Save of `rows` (list rows, from 0), its dialogs owned by `parent`.
  // `hiddenBySearch`: of `rows`, those the list's search hides, which the notice names.
  void SaveRows(const std::vector<int>& rows, CWnd* parent, int hiddenBySearch = 0);
  // Link pictures for the window's DPI.
  void SetUpLinkButtons();
  // The columns' widths follow a change of DPI.
  void OnDpiChanged() override;
  int m_nColumnsDpi = 96;  // the DPI the lists' column widths are for
  // Answers the deep scan box's WM_CTLCOLORSTATIC: the background under it.
  LRESULT PaintUnderDeepScanBox(HDC dc) const;

  // The mode of the scan whose Proceed was pressed, until its worker starts.
  bool m_bPendingAddressBook = false;
  // When the scanning text's row count was last shown.
  DWORD m_nCountShownAt = 0;
  // Shared by the system; not destroyed.
  HICON m_hIcon = nullptr;
};
