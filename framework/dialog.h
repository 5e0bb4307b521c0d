// CDialog: a dialog built from a template of the program's resources. The
// derived class binds its member wrappers to the template's controls in
// BindControls and answers messages through plain virtual handlers; a handler
// that returns false leaves the message to the system's dialog procedure.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog in a message loop of its own, with the parent disabled,
  // until EndDialog; returns its result, or -1 when it could not be created.
  INT_PTR DoModal();
  // Creates the dialog without running it (tests drive it this way).
  bool Create();
  // Ends a modal run with `result`; a dialog that is not modal is hidden.
  void EndDialog(int result);
  bool IsEnded() const { return m_bEnded; }
  int GetResult() const { return m_nResult; }

  // Dialog keys (Tab, arrows, Enter, Escape) for this dialog and its controls.
  BOOL PreTranslateMessage(MSG* msg) override;
  const char* GetRuntimeClassName() const override { return "CDialog"; }

 protected:
  // Attaches member wrappers to the template's controls, before OnInitDialog.
  virtual void BindControls() {}
  // True lets the system give the focus to the first control.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  virtual bool OnNotify(NMHDR* header, LRESULT* result) { return false; }
  virtual bool OnEraseBkgnd(HDC dc) { return false; }
  virtual bool OnPaint() { return false; }
  virtual bool OnSysCommand(UINT id, LPARAM lParam) { return false; }
  virtual HICON OnQueryDragIcon() { return nullptr; }
  virtual bool OnClose() { return false; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Dispatches to the handlers above; override to answer other messages and
  // call the base for the rest.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();

  bool m_bModal = false;
  HWND m_hWndOwner = nullptr;  // of a modal run without a parent
  bool m_bEnded = false;
  int m_nResult = 0;
};
