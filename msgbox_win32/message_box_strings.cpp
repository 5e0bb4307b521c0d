#include "msgbox_win32/message_box_strings.h"

#include "draw_win32/native_handles_win32.h"

namespace tessel {

std::string ModuleStringResources::Load(ModuleHandle module, std::uint32_t id) const {
  HMODULE from = module ? ToHmodule(module) : GetModuleHandleA(nullptr);
  char buffer[kMaxResourceTextLength + 1] = {};
  const int length = LoadStringA(from, id, buffer, static_cast<int>(sizeof buffer));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace tessel
