// Hands files and web pages to the shell. One place, so that the wizard's
// tests can see what would be opened without starting a browser or a viewer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Texts and paths are UTF-8; the shell gets them wide.
struct ShellRequest {
  // The window the shell's own dialogs (a file type with no program, say)
  // belong to, so that they come up in front of it.
  HWND owner = nullptr;
  std::string verb;
  std::string file;
  std::string parameters;
  int show = 0;                 // SW_* value
  bool suppressErrors = false;  // no error dialogs of the shell's own
};

// Opens a web page: shown maximised, the shell's error dialogs suppressed.
void OpenWebPage(HWND owner, const char* address);
// Opens a file with the verb "open", no working folder, shown normally.
void OpenFileWithShell(HWND owner, const std::string& file, const std::string& parameters = {});

// For tests: when set, requests go to the hook instead of the shell. Returns
// the previous hook.
using ShellOpenHook = std::function<void(const ShellRequest&)>;
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);
