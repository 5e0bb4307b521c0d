#include "app/scan_worker.h"

#include <cstring>

#include "app/list_view_rows.h"
#include "app/recovery_wizard_dlg.h"
#include "app/scan_state.h"
#include "engine/address_book_scan.h"
#include "engine/chosen_file.h"
#include "engine/deep_scan.h"
#include "engine/message_store_scan.h"

namespace {
std::string ReadErrorText(const tessel::AddressBookResult& result, const std::string& path) {
  return "The address book " + path + " could not be read at byte " + std::to_string(result.errorOffset) + ": " +
         std::strerror(result.errorCode) + ". The contacts before that place are listed.";
}
}  // namespace

UINT ScanWorker(LPVOID parameter) {
  auto* wizard = static_cast<CRecoveryWizardDlg*>(parameter);
  g_bScanRunning = 1;
  wizard->SendMessage(kScanStartedMessage);
  g_strStoreFile = g_strSourceFile;
  char path[MAX_PATH] = {};
  std::strncpy(path, g_strSourceFile.c_str(), MAX_PATH - 1);

  std::string problem;
  {
    ListViewRows rows(wizard->m_lstRecovered);
    ProgressBarControl progress(wizard->m_prgScan);
    tessel::ScanContext context = WizardScanContext(rows, progress);
    if (g_nScanMode == kScanModeMessageStore) {
      const tessel::ChosenFile chosen = tessel::ResolveChosenFile(path, tessel::ChosenAs::kMessageStore);
      if (g_bDeepScan)
        tessel::DeepScanMessageStore(context, chosen);
      else
        tessel::ScanMessageStore(context, chosen);
    } else {
      tessel::AddressBookResult result = tessel::ScanAddressBook(context, path, kEngineFolder);
      if (result.status == tessel::AddressBookResult::Status::kReadError) problem = ReadErrorText(result, path);
    }
  }  // the last rows reach the list here
  if (g_SourceFile.IsOpen()) g_SourceFile.Close();
  // Steps 6 to 8 on the window's thread; it also clears g_bScanRunning there,
  // so that no Proceed can start a second worker before this one is done.
  wizard->SendMessage(kScanEndedMessage, 0, reinterpret_cast<LPARAM>(&problem));
  return 1;
}
