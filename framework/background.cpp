#include "framework/background.h"

#include "framework/gdi_handles.h"
#include "framework/module.h"
#include "framework/packed_picture.h"

namespace framework {

HBITMAP LoadDibResource(UINT id) {
  // The large pictures are linked in packed; the others as plain bitmaps.
  if (HBITMAP packed = LoadPackedPicture(ResourceModule(), id)) return packed;
  return static_cast<HBITMAP>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

bool PaintBackground(HDC dc, HBITMAP picture, const RECT& client) {
  if (!picture) return false;
  BITMAP info{};
  if (!::GetObjectA(picture, sizeof info, &info)) return false;
  UniqueMemoryDC memory(::CreateCompatibleDC(dc));
  if (!memory) return false;
  SelectGuard select(memory.get(), picture);
  if (!select.ok()) return false;
  ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  RECT right{info.bmWidth, 0, client.right, client.bottom};
  RECT below{0, info.bmHeight, info.bmWidth, client.bottom};
  if (right.left < right.right && right.top < right.bottom) ::FillRect(dc, &right, face);
  if (below.left < below.right && below.top < below.bottom) ::FillRect(dc, &below, face);
  return true;
}

}  // namespace framework
