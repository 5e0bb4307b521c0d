#include "msgbox_win32/message_box_registry.h"

#include <windows.h>

#include "win32_base/wide_path.h"
#include "msgbox/message_box_rules.h"

namespace tessel {

namespace {

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) ::RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::string ProgramPath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Utf8OfWide(std::wstring_view(path, length <= MAX_PATH ? length : 0));
}

std::optional<std::uint32_t> ReadRememberedAnswer(const MessageBoxParams& params) {
  const std::string path = RememberKeyPath(ProgramPath(), params.rememberCompany);
  RegistryKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, WidePath(path).c_str(), 0, KEY_READ, key.out()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD value = 0;
  DWORD size = sizeof value;
  const std::string name = RememberValueName(params);
  if (::RegQueryValueExW(key.get(), WidePath(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      size != sizeof value)
    return std::nullopt;
  return value;
}

void StoreRememberedAnswer(const MessageBoxParams& params, std::uint32_t answer) {
  const std::string path = RememberKeyPath(ProgramPath(), params.rememberCompany);
  RegistryKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, WidePath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, key.out(), nullptr) != ERROR_SUCCESS)
    return;
  const DWORD value = answer;
  const std::string name = RememberValueName(params);
  ::RegSetValueExW(key.get(), WidePath(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

}  // namespace tessel
