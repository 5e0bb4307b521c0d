#pragma once
// The message box window: a modal dialog made from an in-memory template with
// no controls, which builds its buttons and check box once its rich texts are
// measured, paints its bands and texts off-screen, counts down, and ends with
// the pressed button's id.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "msgbox/message_box_call.h"
#include "msgbox/message_box_layout.h"
#include "msgbox_win32/message_box_strings.h"
#include "draw_win32/gdi_dib.h"
#include "win32_base/gdi_handles.h"

namespace tessel {

class CRichMessageBox {
 public:
  // `completed`: the record of CompleteMessageBoxParams; owner and caption
  // already resolved by the call.
  CRichMessageBox(const MessageBoxParams& completed, HWND owner, std::string caption);
  CRichMessageBox(const CRichMessageBox&) = delete;
  CRichMessageBox& operator=(const CRichMessageBox&) = delete;

  // Runs the box; its result, or kCancel when it cannot be shown.
  std::uint32_t DoModal();

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog();
  void BuildAndMeasure();
  void CreateButtons();
  void PlaceControls();
  void OnPaint();
  void OnLinkNotify();
  void OnCommand(std::uint32_t id);
  void OnTimer();
  bool OnSetCursor();
  void ToggleMore();
  void EndBox(std::uint32_t id);
  void DestroyControls();

  // Draws the texts over the cached background off-screen and copies the
  // result to `target`: all of it, or only the text areas.
  void Render(HDC target, bool textAreasOnly);
  void BuildBackground(HDC compatible, int width, int height);
  HWND MakeChild(const wchar_t* windowClass, const std::string& text, DWORD style, int id);
  HWND DefaultButton() const;
  void SetDefaultButtonCaption(const std::string& caption) const;

  MessageBoxParams m_params;
  HWND m_hOwner;
  std::string m_strCaption;
  HWND m_hWnd = nullptr;

  // Declared first, destroyed last: the drawers.
  std::unique_ptr<MessageBoxContent> m_pContent;
  ModuleStringResources m_strings;
  MessageBoxModel m_model;
  HICON m_hIcon = nullptr;            // the icon shown: m_ownedIcon, or a shared system icon
  framework::UniqueIcon m_ownedIcon;  // a user icon loaded for the box
  framework::UniqueFont m_font;
  std::unique_ptr<GdiDib> m_pBackground;  // the bands, made on the first paint

  std::vector<HWND> m_buttons;  // in the order of m_model.buttons.ids
  HWND m_hCheckBox = nullptr;
  HWND m_hCheckLabel = nullptr;
  int m_nCountdown = 0;
  bool m_bExpanded = false;
};

}  // namespace tessel
