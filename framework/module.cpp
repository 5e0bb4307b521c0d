#include "framework/module.h"

namespace framework {

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(ResourceModule(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::string program(path, length);
  const size_t slash = program.find_last_of('\\');
  return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

std::string LoadResourceString(UINT id) {
  char buffer[1024] = {};
  int length = ::LoadStringA(ResourceModule(), id, buffer, static_cast<int>(sizeof buffer));
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace framework
