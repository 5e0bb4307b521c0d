#include "win32_base/link_cursor.h"

#include <string>

namespace framework {
namespace {
// The hand cursor inside the system's help viewer.
constexpr UINT kHelpViewerLinkCursor = 106;
}  // namespace

UniqueCursor LoadLinkCursor() {
  char folder[MAX_PATH] = {};
  UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::string viewer = std::string(folder) + "\\winhlp32.exe";
    UniqueModule module(::LoadLibraryExA(viewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (module) {
      if (HCURSOR cursor = ::LoadCursorA(module.get(), MAKEINTRESOURCEA(kHelpViewerLinkCursor)))
        return UniqueCursor(static_cast<HCURSOR>(::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0)));
    }
  }
  HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
  return UniqueCursor(hand ? static_cast<HCURSOR>(::CopyImage(hand, IMAGE_CURSOR, 0, 0, 0)) : nullptr);
}

}  // namespace framework
