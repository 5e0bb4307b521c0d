// The choose step's third choice: everything in an IncrediMail folder (an
// identity, or the identities folder above it), moved in one go into a new
// subfolder ("Recovered mail", "Recovered mail (2)", ...) of a folder the user
// picks, as `tessel export FOLDER --to OUT --format mbox` writes it:
// one mbox file per store, the address books as vCard and CSV files, and a
// report. A row per store and address book shows how each went; the end is a
// notice with the counts, the output folder and the help page on importing.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/file_choosers.h"
#include "app/folder_export_worker.h"
#include "app/folder_picker.h"
#include "app/link_pages.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/thread_messages.h"
#include "app/wizard_message.h"
#include "win32_base/wide_path.h"
#include "res/resource.h"

namespace {
// The title of the help's page on importing, as the end's link shows it.
constexpr char kMovingHelpTitle[] = "Moving your mail to another program";

constexpr char kInputPickerTitle[] = "Select the IncrediMail folder to move (an identity, or all identities)";

constexpr char kExportingText[] =
    "Writing every message store and address book of the folder into mailbox (mbox), vCard and CSV files. "
    "(You can stop this process by pressing the stop button)";

struct InputColumn {
  const char* heading;
  int width;
};
// Widths in pixels at 100%.
constexpr InputColumn kInputColumns[] = {{"Store or address book", 230}, {"Found", 100}, {"State", 170}};
constexpr int kFoundColumn = 1;
constexpr int kStateColumn = 2;

bool FolderExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(tessel::WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using tessel::moving::IdentityExportResult;
using tessel::moving::InputKind;
using tessel::moving::InputReport;
using tessel::moving::InputState;

std::string Counted(long long count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string NameText(const InputReport& input) {
  std::string name = input.relativePath;
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

std::string FoundText(const InputReport& input) {
  if (input.state == InputState::kWaiting || input.kind == InputKind::kIndexWithoutStore) return {};
  if (input.kind == InputKind::kAddressBook) return Counted(input.listed, "contact");
  return Counted(input.Messages(), "message");
}

// `ended`: the export is over, so an input still waiting was never begun.
std::string StateText(const InputReport& input, bool ended) {
  switch (input.state) {
    case InputState::kWaiting:
      return ended ? "Not moved: stopped before it" : "Waiting";
    case InputState::kRunning:
      return "Working...";
    case InputState::kDone:
      return "Done";
    case InputState::kIncomplete:
      return "Done, not all of it: see the report";
    case InputState::kFailed:
      if (input.kind == InputKind::kIndexWithoutStore) return "Not moved: its store is missing";
      return input.problems.empty() ? "Failed" : "Failed: " + input.problems.front();
    case InputState::kStopped:
      return "Stopped: its files were removed";
  }
  return {};
}

// Names are UTF-8 (they come from the folder's paths): the list gets them wide.
void SetCellText(const CListCtrl& list, int row, int column, const std::string& text) {
  std::wstring wide = tessel::WidePath(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  list.SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ShowInput(const CListCtrl& list, int row, const InputReport& input, bool ended = false) {
  SetCellText(list, row, kFoundColumn, FoundText(input));
  SetCellText(list, row, kStateColumn, StateText(input, ended));
}

void AppendInput(const CListCtrl& list, const InputReport& input) {
  std::wstring wide = tessel::WidePath(NameText(input));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = list.GetItemCount();
  item.pszText = wide.data();
  const int row = static_cast<int>(list.SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row >= 0) ShowInput(list, row, input);
}

// The line beside the rows and the notice, at the end.
struct ExportEndText {
  std::string line;
  std::string notice;  // rich text
  bool failed = false;
};

ExportEndText DescribeExportEnd(const IdentityExportResult& result, const std::string& output) {
  if (!result.refused.empty()) return {"Nothing was written.", "Nothing was written: " + result.refused + ".", true};
  long long stores = 0, messages = 0, books = 0, contacts = 0, notComplete = 0;
  for (const InputReport& input : result.inputs) {
    if (input.state == InputState::kIncomplete || input.state == InputState::kFailed) ++notComplete;
    if (input.state != InputState::kDone && input.state != InputState::kIncomplete) continue;
    if (input.kind == InputKind::kAddressBook) {
      ++books;
      contacts += input.listed;
    } else {
      ++stores;
      messages += input.Messages();
    }
  }
  const std::string counts = Counted(messages, "message") + " from " + Counted(stores, "message store") + " and " +
                             Counted(contacts, "contact") + " from " + Counted(books, "address book");
  ExportEndText text;
  text.line = (result.stopped ? "Stopped: " : "Done: ") + counts + " written.";
  text.notice = counts + (messages + contacts == 1 ? " was" : " were") + " written to " + FolderLink(output) + ".";
  if (result.stopped)
    text.notice += "<br>Stopped: the files finished before the stop are kept, the one being written was removed.";
  if (notComplete > 0) {
    text.notice += "<br>" + Counted(notComplete, "store or address book") + " could not be moved completely.";
    text.failed = true;
  }
  if (!result.reportPath.empty())
    text.notice += "<br>The report tells what came of each one: " + FolderLink(result.reportPath) + ".";
  text.notice += "<br>How to bring them into your next mail program: the help page \"" + std::string(kMovingHelpTitle) +
                 "\", linked below the list.";
  return text;
}
}  // namespace

void CRecoveryWizardDlg::SetUpInputList() {
  for (int column = 0; column < static_cast<int>(std::size(kInputColumns)); ++column)
    m_lstInputs.InsertColumn(column, kInputColumns[column].heading, LVCFMT_LEFT, Scale(kInputColumns[column].width));
  m_lstInputs.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CRecoveryWizardDlg::OnProceedIdentity() {
  // One worker at a time, as for a scan.
  if (g_bScanRunning || !m_steps.MayProceed()) return;
  const std::string input = PickFolder(m_hWnd, ChooserStartFolder(), kInputPickerTitle);
  if (input.empty() || !FolderExists(input)) return;
  const std::string output = PickSaveFolder();
  if (output.empty()) return;

  g_bStopRequested = 0;
  m_steps.ProceedFolderExport();
  m_lstInputs.SendMessage(LVM_DELETEALLITEMS);
  m_strExportFolder = output;
  m_prgScan.SetPos(0);
  PlaceInstructionLine();
  m_lblInstruction.SetWindowText(kExportingText);
  ShowStepControls();

  auto* job = new FolderExportJob{m_hWnd, &m_prgScan, input, output};
  if (!StartWorker(&FolderExportWorker, job)) {
    delete job;
    WizardMessageBox("The folder could not be moved: no thread could be started for it.", kErrorStyle);
  }
}

bool CRecoveryWizardDlg::HandleFolderExportMessage(UINT message, LPARAM lParam) {
  if (IsThreadMessage(message, ThreadMessage::kExportPlanned)) {
    for (const InputReport& input : ThreadMessagePayload<ThreadMessage::kExportPlanned>(lParam))
      AppendInput(m_lstInputs, input);
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kExportInputChanged)) {
    const ExportInputChange& change = ThreadMessagePayload<ThreadMessage::kExportInputChanged>(lParam);
    const int row = static_cast<int>(change.index);
    ShowInput(m_lstInputs, row, *change.input);
    m_lstInputs.SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    return true;
  }
  if (IsThreadMessage(message, ThreadMessage::kExportEnded)) {
    OnFolderExportEnded(ThreadMessagePayload<ThreadMessage::kExportEnded>(lParam));
    return true;
  }
  return false;
}

void CRecoveryWizardDlg::OnFolderExportEnded(const IdentityExportResult& result) {
  m_steps.ScanEnded();
  // The result has the last word on each input (those a stop left waiting, say).
  for (size_t i = 0; i < result.inputs.size(); ++i) ShowInput(m_lstInputs, static_cast<int>(i), result.inputs[i], true);
  // The move's own subfolder, which the link below the rows opens.
  if (result.refused.empty()) m_strExportFolder = result.outFolder;
  const ExportEndText said = DescribeExportEnd(result, m_strExportFolder);
  m_lblInstruction.SetWindowText(said.line);
  // A refused folder leaves nothing to show: the choose step comes back.
  if (!result.refused.empty()) m_steps.Back();
  ShowStepControls();
  // The keyboard carries on from Back; the hidden Stop had it.
  if (m_nStep == 3) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_btnBack.m_hWnd), TRUE);
  g_bScanRunning = 0;
  // Leaving: the worker waits in this message until it returns, and exit waits for the worker.
  if (m_bLeaving) return;
  WizardMessageBox(said.notice.c_str(), said.failed ? kErrorStyle : kNoticeStyle);
}

bool CRecoveryWizardDlg::OnExportLinkNotify(const NMHDR& header) {
  if (header.code != NM_CLICK && header.code != NM_RETURN) return false;
  if (header.idFrom == IDC_EXPORT_FOLDER_LINK) {
    OpenFileWithShell(m_hWnd, m_strExportFolder);
  } else {
    OpenHelpPage(kMovingHelpPage);
  }
  return true;
}

LRESULT CRecoveryWizardDlg::PaintUnderExportLink(HDC dc) {
  ::SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
  return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}
