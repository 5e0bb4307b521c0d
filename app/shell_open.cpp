#include "app/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "win32_base/wide_path.h"

namespace {
ShellOpenHook& Hook() {
  static ShellOpenHook hook;
  return hook;
}

void Execute(const ShellRequest& request) {
  if (Hook()) {
    Hook()(request);
    return;
  }
  const std::wstring verb = tessel::WidePath(request.verb);
  const std::wstring file = tessel::WidePath(request.file);
  const std::wstring parameters = tessel::WidePath(request.parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = request.suppressErrors ? SEE_MASK_FLAG_NO_UI : 0;
  info.hwnd = request.owner;
  info.lpVerb = verb.c_str();
  info.lpFile = file.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = request.show;
  ::ShellExecuteExW(&info);
}
}  // namespace

void OpenWebPage(HWND owner, const char* address) { Execute({owner, "open", address, {}, SW_SHOWMAXIMIZED, true}); }

void OpenFileWithShell(HWND owner, const std::string& file, const std::string& parameters) {
  Execute({owner, "open", file, parameters, SW_SHOWNORMAL, false});
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook) { return std::exchange(Hook(), std::move(hook)); }
