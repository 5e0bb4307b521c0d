// The open-file dialogs that pick the file to recover. Both start in the
// folder of IncrediMail's current identity, read from IncrediMail's own
// registry keys (read only: the program never writes them), or where
// IncrediMail keeps its identities.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

// Reads a string value (`value` null: the key's default value) of key `path`
// under `root` into `out`, as UTF-8. Returns 1 on success, 0 otherwise: when
// the key cannot be opened `out` stays as it was; when the value cannot be
// read (also when it does not fit 255 characters and the end zero) `out` is
// emptied.
int ReadRegistryString(HKEY root, const char* path, const char* value, std::string& out);

// "ApplicationPath\Identities\identity\", from the two registry values (each
// empty when missing); a backslash is added after the application path only
// when it does not end in one.
std::string IncrediMailIdentityFolder(const std::string& applicationPath, const std::string& identity);

// Where the choosers open: the identity's folder that IncrediMail's registry
// values name; without them (IncrediMail no longer installed, the usual case
// for this program) IncrediMail's identities folder under the user's local
// application data when it exists (hidden, so hard to find by hand); else
// Documents.
std::string ChooserStartFolder();

// The choosers: the chosen file's full path, or empty when the user cancels.
std::string ChooseStoreFile(CWnd* parent);
std::string ChooseAddressBookFile(CWnd* parent);

// Chooser titles, by which the dialogs can be found on screen.
inline constexpr char kStoreChooserTitle[] = "Select IncrediMail message file for recovery...";
inline constexpr char kAddressBookChooserTitle[] = "Select IncrediMail addressbook file for recovery...";
