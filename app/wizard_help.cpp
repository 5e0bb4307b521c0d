// Help, About, the live update, and the end of the process that exit and live
// update share.
#include <windows.h>

#include "app/about_dlg.h"
#include "app/link_pages.h"
#include "app/product.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/wizard_message.h"
#include "engine/path_join.h"
#include "win32_base/wide_path.h"

namespace {
constexpr char kHelpFileMissingText[] = " Oxbrim Tessel IncrediMail.chm not found";
// Windows' help viewer: given "FILE.chm::/PAGE", it opens the help at that page.
constexpr char kHelpViewer[] = "hh.exe";

bool FileExistsAt(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(tessel::WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

std::string CRecoveryWizardDlg::HelpFilePath() const { return tessel::JoinPath(m_strProgramDir, kHelpFileName); }

std::string CRecoveryWizardDlg::LiveUpdatePath() const {
  return tessel::JoinPath(m_strProgramDir, kLiveUpdateFileName);
}

void CRecoveryWizardDlg::OnHelp() {
  std::string path = HelpFilePath();
  if (!FileExistsAt(path)) {
    WizardMessageBox(kHelpFileMissingText, kNoticeStyle);
    return;
  }
  OpenFileWithShell(m_hWnd, path);
}

void CRecoveryWizardDlg::OpenHelpPage(const char* page) {
  std::string path = HelpFilePath();
  if (!FileExistsAt(path)) {
    WizardMessageBox(kHelpFileMissingText, kNoticeStyle);
    return;
  }
  // Quoted, as the file's name has spaces.
  OpenFileWithShell(m_hWnd, kHelpViewer, "\"" + path + "::/" + page + "\"");
}

void CRecoveryWizardDlg::OnAbout() {
  CAboutDlg about([this] { OpenHelpPage(kSupportHelpPage); }, this);
  about.DoModal();
}

void CRecoveryWizardDlg::OnLiveUpdate() {
  // The process is already on its way out, waiting for a stopped move.
  if (m_bLeaving) return;
  std::string path = LiveUpdatePath();
  if (!FileExistsAt(path)) {
    WizardMessageBox("Live Update file not found. Please re-instaill the software.", kNoticeStyle);
    return;
  }
  // Only a Yes hands over: a box that could not be shown answers Cancel.
  if (WizardMessageBox("The application will be closed if you want to run Live Update of the software. Continue ?",
                       kQuestionStyle) != tessel::MessageBoxButton::kYes)
    return;
  EndWorkerBeforeLeaving();
  OpenFileWithShell(m_hWnd, path, kLiveUpdateParameter);
  ::TerminateProcess(::GetCurrentProcess(), 0);
}
