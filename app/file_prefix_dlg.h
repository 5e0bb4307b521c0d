// CFilePrefixDlg: the file-name prefix setting (template 156) over its
// background picture. It edits the prefix it is given, which saved messages'
// names begin with; an empty prefix or one with a character that file names
// cannot hold is refused and the dialog stays open.
#pragma once

#include <string>

#include "framework/picture_dialog.h"
#include "widgets/transparent_static.h"

class CFilePrefixDlg : public CPictureDialog {
 public:
  explicit CFilePrefixDlg(std::string prefix, CWnd* parent = nullptr);
  const char* GetRuntimeClassName() const override { return "CFilePrefixDlg"; }

  // The prefix shown, and after OK the one accepted.
  const std::string& Prefix() const { return m_strPrefix; }

  CTransparentStatic m_lblPrefix;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::string m_strPrefix;
};
