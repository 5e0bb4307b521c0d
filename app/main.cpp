#include <windows.h>

#include "app/recovery_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CRecoveryApp app;
  return app.Run();
}
