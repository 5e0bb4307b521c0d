#include "framework/tool_tip.h"

#include "framework/module.h"

namespace {
// The size that every version of the control accepts.
TTTOOLINFOA ToolInfo(HWND window, UINT_PTR id) {
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = window;
  info.uId = id;
  return info;
}
}  // namespace

bool CToolTipCtrl::Create(HWND owner, DWORD style) {
  if (m_hWnd) return true;
  HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style | WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, framework::ResourceModule(), nullptr);
  if (!tip) return false;
  // Subclassed so that the wrapper learns when the owner's end destroys it.
  return SubclassWindow(tip);
}

bool CToolTipCtrl::AddTool(HWND window, UINT_PTR id, const RECT& rect, const std::string& text) const {
  TTTOOLINFOA info = ToolInfo(window, id);
  info.rect = rect;
  info.hinst = framework::ResourceModule();
  info.lpszText = const_cast<char*>(text.c_str());
  return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTipText(HWND window, UINT_PTR id, const std::string& text) const {
  TTTOOLINFOA info = ToolInfo(window, id);
  info.hinst = framework::ResourceModule();
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

std::string CToolTipCtrl::GetToolText(HWND window, UINT_PTR id) const {
  // TTM_GETTEXT has no buffer size; the control copies at most 80 characters.
  char buffer[1024] = {};
  TTTOOLINFOA info = ToolInfo(window, id);
  info.lpszText = buffer;
  SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
  return buffer;
}
