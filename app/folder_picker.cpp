#include "app/folder_picker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>

namespace {
FolderPickerHook& Hook() {
  static FolderPickerHook hook;
  return hook;
}

std::wstring Wide(const std::string& text) {
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 1)), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string Narrow(const wchar_t* text) {
  int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(std::max(length, 1)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(strlen(narrow.c_str()));
  return narrow;
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
  dialog->SetTitle(Wide(title).c_str());
  IShellItem* folder = nullptr;
  if (!start.empty() && SUCCEEDED(::SHCreateItemFromParsingName(Wide(start).c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
    dialog->SetFolder(folder);
    folder->Release();
  }
  if (FAILED(dialog->Show(owner))) return true;
  IShellItem* result = nullptr;
  if (FAILED(dialog->GetResult(&result))) return true;
  ComPtr<IShellItem> item(result);
  wchar_t* path = nullptr;
  if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path) {
    chosen = Narrow(path);
    ::CoTaskMemFree(path);
  }
  return true;
}

int CALLBACK BrowseStart(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

std::string PickWithBrowseDialog(HWND owner, const std::string& start, const std::string& title) {
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseStart;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE list = ::SHBrowseForFolderA(&info);
  if (!list) return {};
  char path[MAX_PATH] = {};
  bool got = ::SHGetPathFromIDListA(list, path);
  ::CoTaskMemFree(list);
  return got ? path : "";
}
}  // namespace

std::string DocumentsFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
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
