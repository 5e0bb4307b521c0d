// CFileDialog: the common open or save dialog (explorer style). The filter
// uses the bar-separated syntax ("Text files|*.txt|All|*.*||"). Texts and
// paths are UTF-8 here; the dialog itself is the wide one, so that any folder
// name can be chosen whatever the system code page.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "framework/wnd.h"

// A place in a list of chosen files; null after the last one.
using POSITION = const wchar_t*;

class CFileDialog : public CWnd {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  ~CFileDialog() override;

  // IDOK or IDCANCEL.
  virtual INT_PTR DoModal();
  std::string GetPathName() const;
  virtual POSITION GetStartPosition();
  virtual std::string GetNextPathName(POSITION& position) const;

  void SetTitle(const std::string& title);
  void SetInitialDir(const std::string& folder);
  // Room for the chosen names, in characters (the default holds one path).
  void SetFileBufferSize(size_t characters);
  const char* GetRuntimeClassName() const override { return "CFileDialog"; }

  OPENFILENAMEW m_ofn{};

 protected:
  // The selection in the dialog changed.
  virtual void OnFileNameChange() {}

 private:
  static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

  BOOL m_bOpenFileDialog;
  std::wstring m_strFilter;
  std::wstring m_strDefExt;
  std::wstring m_strTitle;
  std::wstring m_strInitialDir;
  std::vector<wchar_t> m_fileBuffer;
};

// The converted form of a bar-separated filter: pairs separated by zeros,
// ended by two zeros.
std::string FilterFromBars(const char* filter);

// The chosen file at `position` of the names after a folder, as a full path;
// moves `position` past it, to null after the last one.
std::string NextPathAfterFolder(const std::wstring& folder, POSITION& position);
