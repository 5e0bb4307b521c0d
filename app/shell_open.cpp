#include "app/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

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
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = request.suppressErrors ? SEE_MASK_FLAG_NO_UI : 0;
  info.hwnd = request.owner;
  info.lpVerb = request.verb.c_str();
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
  info.nShow = request.show;
  ::ShellExecuteExA(&info);
}
}  // namespace

void OpenWebPage(HWND owner, const char* address) { Execute({owner, "open", address, {}, SW_SHOWMAXIMIZED, true}); }

void OpenFileWithShell(HWND owner, const std::string& file, const std::string& parameters) {
  Execute({owner, "open", file, parameters, SW_SHOWNORMAL, false});
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook) { return std::exchange(Hook(), std::move(hook)); }
