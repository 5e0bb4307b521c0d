#include "app/folder_picker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <memory>
#include <utility>

#include "win32_base/wide_path.h"

namespace {
using tessel::Utf8OfWide;
using tessel::WidePath;

FolderPickerHook& Hook() {
  static FolderPickerHook hook;
  return hook;
}

template <typename T>
struct ComRelease {
  void operator()(T* object) const {
    if (object) object->Release();
  }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

// False when the item dialog is not there (the caller falls back); `chosen`
// stays empty when the user cancels.
bool PickWithItemDialog(HWND owner, const std::string& start, const std::string& title, std::string& chosen) {
  IFileOpenDialog* raw = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw)))) return false;
  ComPtr<IFileOpenDialog> dialog(raw);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(WidePath(title).c_str());
  IShellItem* folder = nullptr;
  if (!start.empty() &&
      SUCCEEDED(::SHCreateItemFromParsingName(WidePath(start).c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
    dialog->SetFolder(folder);
    folder->Release();
  }
  if (FAILED(dialog->Show(owner))) return true;
  IShellItem* result = nullptr;
  if (FAILED(dialog->GetResult(&result))) return true;
  ComPtr<IShellItem> item(result);
  wchar_t* path = nullptr;
  if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path) {
    chosen = Utf8OfWide(path);
    ::CoTaskMemFree(path);
  }
  return true;
}

int CALLBACK BrowseStart(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

std::string PickWithBrowseDialog(HWND owner, const std::string& start, const std::string& title) {
  const std::wstring wideTitle = WidePath(title);
  const std::wstring wideStart = WidePath(start);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseStart;
  info.lParam = reinterpret_cast<LPARAM>(wideStart.c_str());
  PIDLIST_ABSOLUTE list = ::SHBrowseForFolderW(&info);
  if (!list) return {};
  wchar_t path[MAX_PATH] = {};
  bool got = ::SHGetPathFromIDListW(list, path);
  ::CoTaskMemFree(list);
  return got ? Utf8OfWide(path) : "";
}
}  // namespace

std::string DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Utf8OfWide(path);
}

std::string PickFolder(HWND owner, const std::string& start, const std::string& title) {
  if (Hook()) return Hook()(start);
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::string chosen;
  if (!PickWithItemDialog(owner, start, title, chosen)) chosen = PickWithBrowseDialog(owner, start, title);
  if (SUCCEEDED(com)) ::CoUninitialize();
  return chosen;
}

FolderPickerHook SetFolderPickerHook(FolderPickerHook hook) { return std::exchange(Hook(), std::move(hook)); }
