#include "app/file_choosers.h"

#include <shlobj.h>

#include "app/folder_picker.h"
#include "app/product.h"
#include "app/recovery_wizard_dlg.h"
#include "engine/path_join.h"
#include "win32_base/wide_path.h"
#include "res/resource.h"
#include "widgets/fec_file_dialog.h"
#include "widgets/ot_file_dialog.h"

namespace {
// Characters of the longest value read with its end zero; a longer one reads as empty.
constexpr DWORD kValueBufferSize = 256;

constexpr char kIncrediMailKey[] = "Software\\IncrediMail";
constexpr char kApplicationPathValue[] = "ApplicationPath";
constexpr char kIdentitiesKey[] = "Software\\IncrediMail\\Identities";

// IncrediMail's identities under the user's local application data (a hidden folder).
constexpr char kIdentitiesFolder[] = "IM\\Identities";

// The index first: it lists the store's messages in order, and finds its store itself.
constexpr char kStoreFilter[] =
    "IncrediMail index (*.imh)|*.imh|IncrediMail message store (*.imm)|*.imm|"
    "All IncrediMail files|*.imh;*.imm|All files|*.*||";
constexpr char kAddressBookFilter[] = "IncrediMail addressbook(*.imb)|*.imb| All Files(*.*)|*.*||";
constexpr char kBrowseFilter[] = "IncrediMail File(*.dbx)|*.dbx|";

std::string RunChooser(CWnd* parent, const char* filter, const char* title) {
  COTFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
  dialog.SetTitle(title);
  dialog.SetInitialDir(ChooserStartFolder());
  if (dialog.DoModal() != IDOK) return {};
  return dialog.GetPathName();
}
}  // namespace

int ReadRegistryString(HKEY root, const char* path, const char* value, std::string& out) {
  HKEY key = nullptr;
  // Reading is all we do; asking for more can fail where reading works.
  if (::RegOpenKeyExW(root, tessel::WidePath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  // Wide, so that a folder named outside the system code page reads whole.
  wchar_t buffer[kValueBufferSize] = {};
  DWORD size = sizeof buffer;
  LONG status = ::RegQueryValueExW(key, value ? tessel::WidePath(value).c_str() : nullptr, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(buffer), &size);
  if (status == ERROR_SUCCESS) {
    buffer[kValueBufferSize - 1] = 0;
    out = tessel::Utf8OfWide(buffer);
  } else {
    out.clear();
  }
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS ? 1 : 0;
}

std::string ChooserStartFolder() {
  std::string applicationPath;
  std::string identity;
  ReadRegistryString(HKEY_CURRENT_USER, kIncrediMailKey, kApplicationPathValue, applicationPath);
  ReadRegistryString(HKEY_CURRENT_USER, kIdentitiesKey, nullptr, identity);
  if (!applicationPath.empty()) return IncrediMailIdentityFolder(applicationPath, identity);
  wchar_t local[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) {
    const std::string identities = tessel::JoinPath(tessel::Utf8OfWide(local), kIdentitiesFolder);
    const DWORD attributes = ::GetFileAttributesW(tessel::WidePath(identities).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return identities;
  }
  return DocumentsFolder();
}

std::string IncrediMailIdentityFolder(const std::string& applicationPath, const std::string& identity) {
  return tessel::JoinPath(applicationPath, "Identities\\" + identity + "\\");
}

std::string ChooseStoreFile(CWnd* parent) { return RunChooser(parent, kStoreFilter, kStoreChooserTitle); }

std::string ChooseAddressBookFile(CWnd* parent) {
  return RunChooser(parent, kAddressBookFilter, kAddressBookChooserTitle);
}

void CRecoveryWizardDlg::OnBrowse() {
  if (StepNumber() > 1) return;
  CFECFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_NODEREFERENCELINKS, kBrowseFilter, this);
  dialog.SetTitle(kProductTitle);
  if (dialog.DoModal() != IDOK) return;
  std::string last;
  for (POSITION position = dialog.GetStartPosition(); position;) last = dialog.GetNextPathName(position);
  ::SetDlgItemTextW(m_hWnd, IDC_FILE_PATH, tessel::WidePath(last).c_str());
}
