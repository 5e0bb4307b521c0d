#include "framework/image_list.h"

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
  return m_hImageList != nullptr;
}

void CImageList::DeleteImageList() {
  if (m_hImageList) ImageList_Destroy(m_hImageList);
  m_hImageList = nullptr;
}
