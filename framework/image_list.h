// CImageList: an image list owned by the wrapper (a list view given it with
// LVS_SHAREIMAGELISTS leaves it to us).
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  bool Create(int cx, int cy, UINT flags, int initial, int grow);
  // Adds a copy of `icon` (scaled to the list's size); -1 on failure.
  int Add(HICON icon) const { return m_hImageList ? ImageList_AddIcon(m_hImageList, icon) : -1; }
  int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
  void DeleteImageList();

  HIMAGELIST m_hImageList = nullptr;
};
