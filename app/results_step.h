// CResultsStep: the results step's own controls, owned by the wizard window:
// the list of recovered items with its column sets, row icons and colours,
// Select All and its label, the search box above the list, Save with the link
// to the saved files' names beside it, and the list's "Preview Mail" menu.
// The window's flow (scans, preview, save) works through it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "app/recovered_list_ctrl.h"
#include "framework/controls.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "framework/picture_dialog.h"
#include "recovery/wizard_steps.h"
#include "widgets/transparent_static.h"

class CResultsStep {
 public:
  void Bind(const CWnd& dialog);
  // The list's columns, check boxes and menu key, once the window is made.
  void SetUp(const CPictureDialog& dialog, std::function<void(int row)> onMenuKey);
  void Show(const tessel::recovery::WizardControls& shown);
  // Replaces the list's columns by those of g_nScanMode.
  void SetColumns(const CPictureDialog& dialog);
  // Row icons for the window's DPI.
  void SetUpRowIcons(const CPictureDialog& dialog);
  void OnSelectAllCheck();
  // The search box's text changed: the list shows the rows that hold it.
  void OnSearchChanged();
  // A new scan's list: no rows, no search, no sort.
  void Clear();
  // The link beside Save names the files as `prefix` makes them.
  void ShowFilePrefix(const std::string& prefix);
  bool IsPrefixLink(HWND control) const { return control == m_lnkPrefix.m_hWnd; }

  // The row under a click (negative: none), and whether it hit the row's check box, which it then toggles.
  int ClickedRow(const NMITEMACTIVATE& click, bool& onCheckBox);
  // The row's menu ("Preview Mail", "View message") at `screen`, its command going to `owner`.
  void ShowPreviewMenu(POINT screen, HWND owner);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;

  CRecoveredListCtrl& List() { return m_lstRecovered; }
  const CRecoveredListCtrl& List() const { return m_lstRecovered; }
  CImageList& RowImages() { return m_ImageList; }
  CTransparentStatic& SelectAllLabel() { return m_lblSelectAll; }

 private:
  CRecoveredListCtrl m_lstRecovered;
  CButton m_chkSelectAll;
  CTransparentStatic m_lblSelectAll;
  CButton m_btnSave;
  CTransparentStatic m_lblSearch;
  CWnd m_edtSearch;
  CWnd m_lnkPrefix;
  CImageList m_ImageList;
  CMenu m_PopupMenu;
};
