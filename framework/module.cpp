#include "framework/module.h"

#include "win32_base/wide_path.h"

namespace framework {

std::string ProgramFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(ResourceModule(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::string program = tessel::Utf8OfWide(std::wstring_view(path, length));
  const size_t slash = program.find_last_of('\\');
  return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

std::string LoadResourceString(UINT id) {
  char buffer[1024] = {};
  int length = ::LoadStringA(ResourceModule(), id, buffer, static_cast<int>(sizeof buffer));
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace framework
