#include "framework/module.h"

namespace framework {

std::string LoadResourceString(UINT id) {
  char buffer[1024] = {};
  int length = ::LoadStringA(ResourceModule(), id, buffer, static_cast<int>(sizeof buffer));
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace framework
