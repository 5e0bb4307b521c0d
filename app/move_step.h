// CMoveStep: the folder move's step's own controls, owned by the wizard
// window: a row per store and address book with what was found and how it
// went, and below them the links to the output folder and to the help page on
// importing. The window's flow (the worker, the end's notice) works through it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/thread_messages.h"
#include "framework/list_ctrl.h"
#include "framework/picture_dialog.h"
#include "moving/identity_export.h"
#include "recovery/wizard_steps.h"

class CMoveStep {
 public:
  void Bind(const CWnd& dialog);
  // The rows' columns, once the window is made.
  void SetUp(const CPictureDialog& dialog);
  void Show(const tessel::recovery::WizardControls& shown);

  // A move into `output` begins: no rows yet.
  void Begin(const std::string& output);
  void ShowPlanned(const std::vector<tessel::moving::InputReport>& inputs);
  void ShowChange(const ExportInputChange& change);
  // The result has the last word on each row; the output folder becomes the move's own subfolder.
  void ShowEnd(const tessel::moving::IdentityExportResult& result);

  // The folder written into, for the end's notice and its link.
  const std::string& OutputFolder() const { return m_strExportFolder; }
  CListCtrl& Inputs() { return m_lstInputs; }
  bool IsLink(HWND control) const { return control == m_lnkExportFolder.m_hWnd || control == m_lnkExportHelp.m_hWnd; }
  // Answers the links' WM_CTLCOLORSTATIC: white, as the picture there.
  static LRESULT PaintUnderLink(HDC dc);

 private:
  CListCtrl m_lstInputs;
  CWnd m_lnkExportFolder;
  CWnd m_lnkExportHelp;
  std::string m_strExportFolder;
};
