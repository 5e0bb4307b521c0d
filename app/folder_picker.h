// The system's folder picker: the item dialog in pick-folders mode, or the
// older browse-for-folder dialog where the item dialog is missing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The chosen folder (UTF-8, as every path of ours), or empty when the user
// cancels. The dialog opens in `start` (when it exists) with `title`.
std::string PickFolder(HWND owner, const std::string& start, const std::string& title);

// The user's Documents folder.
std::string DocumentsFolder();

// For tests: when set, PickFolder asks the hook (given the start folder)
// instead of showing a dialog. Returns the previous hook.
using FolderPickerHook = std::function<std::string(const std::string& start)>;
FolderPickerHook SetFolderPickerHook(FolderPickerHook hook);
