// CFECFileDialog: an open-file dialog whose multiple selection is not limited
// by the size of the file-name buffer. While the user selects, it keeps copies
// of the selection text and the folder when they would not fit; a run that the
// platform ends with "buffer too small" then counts as OK and the chosen paths
// come from those copies.
#pragma once

#include <string>
#include <vector>

#include "framework/file_dialog.h"

class CFECFileDialog : public CFileDialog {
 public:
  using CFileDialog::CFileDialog;

  INT_PTR DoModal() override;
  POSITION GetStartPosition() override;
  std::string GetNextPathName(POSITION& position) const override;
  const char* GetRuntimeClassName() const override { return "CFECFileDialog"; }

  // The selection change, with the dialog's answers given (UTF-8): the
  // selection text ("a" or "\"a\" \"b\"") and the current folder.
  void KeepSelectionIfTooLong(const std::string& selection, const std::string& folder);

 protected:
  void OnFileNameChange() override;

 private:
  void FreeBuffers();
  void KeepWideSelectionIfTooLong(const std::wstring& selection, const std::wstring& folder);

  int m_bParsed = 0;
  std::vector<wchar_t> m_pszFolder;
  std::vector<wchar_t> m_pszFiles;
};
