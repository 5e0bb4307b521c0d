// COTFileDialog: the file dialog class of the wizard's file choosers. It adds
// no behaviour; it gives the choosers a class that can be named at run time.
#pragma once

#include "framework/file_dialog.h"

class COTFileDialog : public CFileDialog {
 public:
  using CFileDialog::CFileDialog;
  const char* GetRuntimeClassName() const override { return "COTFileDialog"; }
};
