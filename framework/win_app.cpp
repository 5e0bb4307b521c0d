#include "framework/win_app.h"

#include <commctrl.h>

#include "framework/message_pump.h"

int CWinApp::Run() {
  if (!InitInstance()) return 0;
  return RunMessageLoop();
}

void CWinApp::Enable3dControls() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
}

int CWinApp::RunMessageLoop() {
  MSG msg;
  BOOL got;
  while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) framework::PumpMessage(&msg);
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}
