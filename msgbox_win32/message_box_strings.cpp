#include "msgbox_win32/message_box_strings.h"

#include "draw_win32/native_handles_win32.h"
#include "win32_base/wide_path.h"

namespace tessel {

std::string ModuleStringResources::Load(ModuleHandle module, std::uint32_t id) const {
  HMODULE from = module ? ToHmodule(module) : GetModuleHandleA(nullptr);
  // The box's texts are UTF-8, as the surface draws them.
  wchar_t buffer[kMaxResourceTextLength + 1] = {};
  const int length = LoadStringW(from, id, buffer, kMaxResourceTextLength + 1);
  return length > 0 ? Utf8OfWide(std::wstring_view(buffer, static_cast<std::size_t>(length))) : std::string();
}

}  // namespace tessel
