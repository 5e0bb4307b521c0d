// CWinApp: the application object. Run calls InitInstance, which typically
// runs the main dialog modally; a false result ends the application there.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
 public:
  CWinApp() = default;
  virtual ~CWinApp() = default;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Returns the process's exit code.
  int Run();

  CWnd* m_pMainWnd = nullptr;

 protected:
  virtual BOOL InitInstance() { return FALSE; }
  // Turns on the common controls' look for the program's dialogs.
  void Enable3dControls();

 private:
  int RunMessageLoop();
};
